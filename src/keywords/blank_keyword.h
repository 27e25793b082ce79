#pragma once

#include <string_view>

namespace quellix {

// Blank means empty after removing SPACES at both ends (a text of tabs is not blank): the dialogs refuse it.
bool IsBlankKeyword(std::wstring_view text) noexcept;

}  // namespace quellix
