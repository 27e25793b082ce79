#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Says whether a field (its bytes as read from the file) is the one an edit is after.
using FieldMatch = std::function<bool(std::string_view field)>;

// Every field of `fileText` (in order) written as a line of its own; a field that `matches` is replaced by
// `replacement` (written as given, so typed commas still part keywords), or dropped when it is nullopt. Every other
// field is written with WriteKeywordField, so it reads back as the same field: an edit never changes what the
// untouched keywords close.
std::string RewriteKeywords(std::string_view fileText, const FieldMatch& matches,
                            std::optional<std::string_view> replacement);

}  // namespace quellix
