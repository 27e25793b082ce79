#include "e2e/user_actions.h"

#include <shellapi.h>

#include <cstdlib>

namespace quellix::e2e {

void Press(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

void Type(HWND edit, const std::wstring& text) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND TextBox(HWND dialog) { return ::FindWindowExW(dialog, nullptr, L"Edit", nullptr); }

std::wstring TextBoxText(HWND dialog) { return WindowText(TextBox(dialog)); }

HWND WaitForWindow(const QuellixProcess& quellix, const std::wstring& caption) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(quellix.Pid(), caption)) != nullptr; }, kGenerous);
    return found;
}

std::wstring TakeMessage(const QuellixProcess& quellix) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox(quellix.Pid())) != nullptr; }, kGenerous)) return L"<none>";
    const std::wstring title = WindowText(box);
    const std::wstring text = MessageBoxText(box);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitUntil([&] { return !::IsWindow(box); }, kGenerous);
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

bool IsCentred(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return std::abs((r.left + r.right) - ::GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
           std::abs((r.top + r.bottom) - ::GetSystemMetrics(SM_CYSCREEN)) <= 1;
}

// Posted together the keys are taken before any mouse movement, which would move the highlight.
void PressKeys(HWND target, std::initializer_list<WPARAM> keys) {
    for (const WPARAM key : keys) {
        ::PostMessageW(target, WM_KEYDOWN, key, 1);
        ::PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
}

HWND OpenTrayMenu(const QuellixProcess& quellix) {
    quellix.SendTrayEvent(WM_RBUTTONUP);
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindTopLevel(quellix.Pid(), L"", L"#32768")) != nullptr; }, kGenerous);
    return menu;
}

bool ChooseFromTrayMenu(const QuellixProcess& quellix, std::initializer_list<WPARAM> keys) {
    const HWND menu = OpenTrayMenu(quellix);
    if (!menu) return false;
    PumpFor(300);  // the menu settles under the mouse first
    PressKeys(menu, keys);
    PressKeys(menu, {VK_RETURN});
    return WaitUntil([&] { return !::IsWindowVisible(menu); }, kGenerous);
}

}  // namespace quellix::e2e
