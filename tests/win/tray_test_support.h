#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/form1.h"
#include "platform/message_loop.h"
#include "tray/main_window_hook.h"

namespace quellix::test {

// Waits until done() holds or the time runs out; returns done(). The test's own thread pumps its messages;
// a helper thread (pump false) only polls while the test's thread runs the program's nested loops.
inline bool WaitFor(const std::function<bool()>& done, bool pump = true, DWORD timeoutMs = 10000) {
    const DWORD start = ::GetTickCount();
    MSG msg{};
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        while (pump && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_QUIT) DispatchUiMessage(msg);
        }
        ::Sleep(10);
    }
    return true;
}

inline bool PollFor(const std::function<bool()>& done, DWORD timeoutMs = 10000) { return WaitFor(done, false, timeoutMs); }

// The visible top-level window of this process with the given class (other than except), or null.
inline HWND FindVisibleWindow(const wchar_t* windowClass, HWND except = nullptr) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, windowClass, nullptr); w;
         w = ::FindWindowExW(nullptr, w, windowClass, nullptr)) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == ::GetCurrentProcessId() && w != except && ::IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// From a helper thread: the open pop-up menu, or a form of the program other than the main window.
inline HWND WaitForMenu() {
    HWND found = nullptr;
    PollFor([&] { return (found = FindVisibleWindow(L"#32768")) != nullptr; });
    return found;
}
inline HWND WaitForDialog(HWND mainWindow) {
    HWND found = nullptr;
    PollFor([&] { return (found = FindVisibleWindow(L"QuellixForm", mainWindow)) != nullptr; });
    return found;
}

// A key press as it reaches the thread that owns the window (menus and forms read keys from the queue).
inline void PostKey(HWND hwnd, WPARAM key) {
    ::PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    ::PostMessageW(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

// A notification sent from a helper thread; false when it was not handled within the time (something waits).
inline bool SendPromptly(HWND target, UINT msg, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(target, msg, 0, lParam, SMTO_NORMAL, 3000, &ignored) != 0;
}

// From a helper thread: chooses an item of the open menu with the keys, as a user would: Home to the first item,
// Down to each next one (the separator is skipped), Enter. Posted together, the keys are read before any mouse
// movement could move the highlight. False when the menu did not open or did not close.
inline bool ChooseFromOpenMenu(HMENU menu, int id) {
    const HWND menuWindow = WaitForMenu();
    if (!menuWindow) return false;
    ::Sleep(300);  // the menu settles under the mouse first
    PostKey(menuWindow, VK_HOME);
    for (int i = 0; i < ::GetMenuItemCount(menu) && static_cast<int>(::GetMenuItemID(menu, i)) != id; ++i) {
        if (!(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR)) PostKey(menuWindow, VK_DOWN);
    }
    PostKey(menuWindow, VK_RETURN);
    return PollFor([&] { return !::IsWindowVisible(menuWindow); });
}

// Whatever a helper thread ran into, it must not leave the test's thread inside a menu or a modal window: on
// leaving, this closes what is still open, so a failing test fails instead of hanging.
class UnblockOnExit {
public:
    explicit UnblockOnExit(HWND mainWindow) : main_(mainWindow) {}
    UnblockOnExit(const UnblockOnExit&) = delete;
    UnblockOnExit& operator=(const UnblockOnExit&) = delete;
    ~UnblockOnExit() {
        for (int round = 0; round < 50; ++round) {
            const HWND menu = FindVisibleWindow(L"#32768");
            const HWND dialog = FindVisibleWindow(L"QuellixForm", main_);
            if (!menu && !dialog) return;
            if (menu) PostKey(menu, VK_ESCAPE);
            if (dialog) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            ::Sleep(100);
        }
    }

private:
    HWND main_;
};

// The main window, loaded as the program loads it: hidden, icon added, subclass installed, scan started.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        // A main window destroyed by its destructor alone never runs its unload step, so the subclass state of
        // an earlier test may still say "installed": start from the program's own initial state.
        HookInstalled = false;
        PrevWindowProc = nullptr;
        ASSERT_TRUE(form.Load());
        ASSERT_TRUE(HookInstalled);
    }
    void TearDown() override {
        form.Unload();
        // The main window ends the program on destroy; the next test must not inherit that WM_QUIT.
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void SendTrayEvent(UINT mouseMessage) {
        ::SendMessageW(form.Picture1.Handle(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
    }
    bool Visible() const { return ::IsWindowVisible(form.Handle()) != FALSE; }

    Form1 form;
};

}  // namespace quellix::test
