#include "keywords/blank_keyword.h"

namespace quellix {

bool IsBlankKeyword(std::wstring_view text) noexcept {
    return text.find_first_not_of(L' ') == std::wstring_view::npos;
}

}  // namespace quellix
