#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Says whether a field (its bytes as read from the file) is the one an edit is after.
using FieldMatch = std::function<bool(std::string_view field)>;

// Every field of `fileText` (in order) written as a line of its own with WriteKeywordLine; a field that `matches`
// is replaced by `replacement`, or dropped when it is nullopt. Every other field keeps its exact bytes.
std::string RewriteKeywords(std::string_view fileText, const FieldMatch& matches,
                            std::optional<std::string_view> replacement);

}  // namespace quellix
