#pragma once

namespace quellix {

// The application's title: message boxes that give no title of their own show it.
inline constexpr wchar_t kApplicationTitle[] = L"Vorel Quellix";

}  // namespace quellix
