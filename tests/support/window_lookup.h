#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "platform/form.h"
#include "support/wait.h"

// Finding windows of any process and reading what they show.
namespace quellix::test {

// The text of a window of any process (through WM_GETTEXT with a timeout), and its class.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The first child of parent with the given class and text.
HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text);

// A top-level window; a null caption or class matches any.
struct WindowQuery {
    DWORD pid = ::GetCurrentProcessId();
    const wchar_t* caption = nullptr;
    const wchar_t* windowClass = nullptr;
    bool visibleOnly = true;
    HWND except = nullptr;
};
HWND FindTopLevel(const WindowQuery& query);
// Waits for such a window; null when none came.
HWND WaitForWindow(const WindowQuery& query, Pump pump = Pump::Plain);
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kMessageBoxClass[] = L"#32770";
// The text of the static control of a message box, or empty.
std::wstring MessageBoxText(HWND box);

// A child's left, top, width and height in its parent's client pixels.
using Placement = std::array<LONG, 4>;
Placement PlacementOf(HWND child);
Placement FromTwips(const TwipsRect& twips, int dpi);
// What Windows sends a window it moves to a monitor of another DPI: the new DPI, and a rectangle at which it
// suggests the window be, returned here (the window's own, shifted, and scaled to the new DPI).
RECT SendDpiChanged(HWND window, int dpi);
// The same to a window of the program's own process, which is at fromDpi: the rectangle is written into that
// process's memory, where Windows' own message has it.
RECT SendDpiChanged(HWND window, HANDLE process, int fromDpi, int toDpi);
// An icon's width in pixels; 0 for no icon (or one destroyed).
int IconWidth(HICON icon);
// The name a screen reader announces for a control, read as it reads it (oleacc, the control's client area).
std::wstring AccessibleName(HWND control);
// A form's client size, its children's places in twips and its visible children's font, at the DPI it opened at
// and again after Windows moved it to a 144-DPI monitor and back to 96; their class and text where given.
struct ExpectedChild {
    HWND control;
    const wchar_t* windowClass;
    const wchar_t* text;
    TwipsRect twips;
    const wchar_t* name = nullptr;  // what a screen reader announces, where given
};
void ExpectLayout(HWND form, int clientWidth, int clientHeight, const std::vector<ExpectedChild>& children);
// Centred on the screen, to the pixel.
bool IsCentred(HWND window);

}  // namespace quellix::test
