#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "support/quellix_process.h"
#include "support/wait.h"
#include "support/window_lookup.h"

// What a user does to the running program, as window messages: clicks, typing, the tray menu.
namespace quellix::test {

// Posted, not sent: buttons that open a modal window return only when it closes.
void Press(HWND button);
void Type(HWND edit, const std::wstring& text);
// A dialog's text box, and its text.
HWND TextBox(HWND dialog);
std::wstring TextBoxText(HWND dialog);
// Waits for a visible top-level window of the program with that caption; null when none came.
HWND WaitForWindow(const QuellixProcess& quellix, const std::wstring& caption);
// Presses a button of the main window and waits for the dialog it opens.
constexpr wchar_t kAddCaption[] = L"Enter title keywords of popup window";
HWND OpenDialog(const QuellixProcess& quellix, const wchar_t* button, const std::wstring& caption);
// Types into the dialog's text box and presses Enter; true when the dialog then closed.
bool Submit(HWND dialog, const std::wstring& text);
// The text of the program's next message box, which is then dismissed with its OK button; "<none>" when no
// box came, "<titled X>" when its title is not the application's.
std::wstring TakeMessage(const QuellixProcess& quellix);

bool InFront(HWND window);
// True while the notification area holds the icon that the window (and icon number 1) added.
bool TrayIconPresent(HWND iconWindow);

// A left click of the mouse at a point of the screen, as real input: an open menu elsewhere closes.
void ClickAt(POINT screen);

// Opens the tray menu with a right-click on the icon; the menu window, or null.
HWND OpenTrayMenu(const QuellixProcess& quellix);
// Opens the tray menu and chooses an item with keys (kMenuShow and the others): true when the menu then closed.
bool ChooseFromTrayMenu(const QuellixProcess& quellix, std::initializer_list<WPARAM> keys);

}  // namespace quellix::test
