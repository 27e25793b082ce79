#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quellix {

// Every field of `fileText` (in order) written as a line of its own with WriteKeywordLine; a field equal to
// `match` (exact, case-sensitive, whole field) is replaced by `replacement`, or dropped when it is nullopt.
std::string RewriteKeywords(std::string_view fileText, std::string_view match,
                            std::optional<std::string_view> replacement);

// Blank means empty after removing SPACES at both ends (a text of tabs is not blank).
bool IsBlankKeyword(std::wstring_view text) noexcept;

}  // namespace quellix
