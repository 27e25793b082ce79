#include "platform/upper_case.h"

#include <windows.h>

namespace quellix {

void ToUpperInPlace(std::wstring& text) {
    if (text.empty()) return;
    // Upper-casing maps each UTF-16 unit to one unit, so the text can be its own destination.
    ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), text.data(),
                   static_cast<int>(text.size()));
}

}  // namespace quellix
