#pragma once
#include <windows.h>

namespace quellix {

// While a form is shown modally its owner is disabled. Returns the window that holds the input then: the
// topmost enabled, visible top-level window of the calling thread other than the owner (a modal form, or a
// message box over it). Null while the owner takes input, or when no such window is found.
HWND OpenModalWindow(HWND owner);

// While one of the program's modal windows is open the owner takes no input: brings that window to the front
// instead, and returns true. False (and nothing done) while the owner takes input.
bool RaiseOpenModalWindow(HWND owner);

}  // namespace quellix
