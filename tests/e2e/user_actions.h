#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "e2e/e2e_support.h"

// What a user does to the program, as window messages: clicks, typing, keys, the tray menu.
namespace quellix::e2e {

constexpr DWORD kGenerous = 10000;  // a loaded machine is slow; a working program answers far faster

// Posted, not sent: buttons that open a modal window return only when it closes.
void Press(HWND button);
void Type(HWND edit, const std::wstring& text);
// The text of a dialog's text box.
std::wstring TextBoxText(HWND dialog);
HWND TextBox(HWND dialog);
// Waits for a visible top-level window of the process with that caption; null when none came.
HWND WaitForWindow(const QuellixProcess& quellix, const std::wstring& caption);
// The text of the program's next message box, which is then dismissed with its OK button; "<none>" when no
// box came, "<titled X>" when its title is not the application's.
std::wstring TakeMessage(const QuellixProcess& quellix);

bool InFront(HWND window);
// True while the notification area holds the icon that the window (and icon number 1) added.
bool TrayIconPresent(HWND iconWindow);
// Centred on the screen, to the pixel.
bool IsCentred(HWND window);

// Keys as a user presses them while the tray menu is open.
void PressKeys(HWND target, std::initializer_list<WPARAM> keys);
// Opens the tray menu with a right-click on the icon; the menu window, or null.
HWND OpenTrayMenu(const QuellixProcess& quellix);
// Opens the tray menu and chooses an item with keys: true when the menu then closed.
bool ChooseFromTrayMenu(const QuellixProcess& quellix, std::initializer_list<WPARAM> keys);
// Home goes to the first item, Down to the next (the separator is skipped), End to the last.
inline constexpr std::initializer_list<WPARAM> kMenuShow{VK_HOME}, kMenuHide{VK_HOME, VK_DOWN},
    kMenuAbout{VK_END, VK_UP}, kMenuExit{VK_END};

}  // namespace quellix::e2e
