#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Every field of `fileText` (in order) written as a line of its own with WriteKeywordLine; a field equal to
// `match` (exact, case-sensitive, whole field) is replaced by `replacement`, or dropped when it is nullopt.
std::string RewriteKeywords(std::string_view fileText, std::string_view match,
                            std::optional<std::string_view> replacement);

}  // namespace quellix
