#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace quellix {

// Registers the program's own window class the first time it is needed; later calls find it there.
// cbSize and hInstance are filled in here.
bool RegisterClassOnce(WNDCLASSEXW wc);

// True when the window's class has exactly this name. Class names are compared only here.
bool HasClassName(HWND hwnd, std::wstring_view name);

// A window's text (a form's caption, a control's text), read in full.
std::wstring WindowText(HWND hwnd);

}  // namespace quellix
