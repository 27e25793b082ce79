#pragma once
#include <string>

namespace quellix {

// The platform's locale-aware conversion to upper case, in place.
void ToUpperInPlace(std::wstring& text);

}  // namespace quellix
