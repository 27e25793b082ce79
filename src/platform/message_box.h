#pragma once
#include <windows.h>

#include <string_view>

namespace quellix {

// Message boxes that give no title of their own show the application's title.
inline constexpr wchar_t kApplicationTitle[] = L"Vorel Quellix";

// A modal message box with the stop icon and a single OK button (style 16) under the application title.
void ShowStopMessage(HWND owner, std::wstring_view text);

}  // namespace quellix
