#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace quellix {

// Registers the program's own window class the first time it is needed; later calls find it there.
// cbSize and hInstance are filled in here.
bool RegisterClassOnce(WNDCLASSEXW wc);

// A window's class name, read once into the caller's buffer (empty when it has none): long enough for every class
// the program compares, which stay under 64 characters.
using ClassNameBuffer = wchar_t[64];
std::wstring_view ClassNameOf(HWND hwnd, ClassNameBuffer& buffer);

// True when the window's class has exactly this name.
bool HasClassName(HWND hwnd, std::wstring_view name);

// A window's text (a form's caption, a control's text), read in full.
std::wstring WindowText(HWND hwnd);

}  // namespace quellix
