#include "support/user_actions.h"

#include <shellapi.h>

namespace quellix::test {

void Press(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

void ClickAt(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, clicks, sizeof(INPUT));
}

void Type(HWND edit, const std::wstring& text) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND TextBox(HWND dialog) { return ::FindWindowExW(dialog, nullptr, L"Edit", nullptr); }

std::wstring TextBoxText(HWND dialog) { return WindowText(TextBox(dialog)); }

HWND WaitForWindow(const QuellixProcess& quellix, const std::wstring& caption) {
    return WaitForWindow({.pid = quellix.Pid(), .caption = caption.c_str()});
}

HWND OpenDialog(const QuellixProcess& quellix, const wchar_t* button, const std::wstring& caption) {
    Press(quellix.Button(button));
    return WaitForWindow(quellix, caption);
}

bool Submit(HWND dialog, const std::wstring& text) {
    if (!dialog) return false;
    Type(TextBox(dialog), text);
    PressKeys(TextBox(dialog), {VK_RETURN});
    return WaitUntil([&] { return !::IsWindow(dialog); });
}

std::wstring TakeMessage(const QuellixProcess& quellix) {
    const HWND box = WaitForWindow({.pid = quellix.Pid(), .windowClass = kMessageBoxClass});
    if (!box) return L"<none>";
    const std::wstring title = WindowText(box);
    const std::wstring text = MessageBoxText(box);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !::IsWindow(box); });
    return title == L"Vorel Quellix" ? text : L"<titled " + title + L">";
}

bool InFront(HWND window) { return ::GetForegroundWindow() == window; }

bool TrayIconPresent(HWND iconWindow) {
    // Modifying nothing succeeds exactly when the shell knows the icon.
    NOTIFYICONDATAW probe{};
    probe.cbSize = sizeof(probe);
    probe.hWnd = iconWindow;
    probe.uID = 1;
    return ::Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

HWND OpenTrayMenu(const QuellixProcess& quellix) {
    quellix.SendTrayEvent(WM_RBUTTONUP);
    return WaitForWindow({.pid = quellix.Pid(), .windowClass = kMenuClass});
}

bool ChooseFromTrayMenu(const QuellixProcess& quellix, std::initializer_list<WPARAM> keys) {
    return ChooseFromMenu(OpenTrayMenu(quellix), keys);
}

}  // namespace quellix::test
