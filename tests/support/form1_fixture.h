#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "app/form1.h"
#include "support/temp_files.h"
#include "support/wait.h"
#include "support/window_lookup.h"
#include "tray/main_window_hook.h"

// The program's main window inside the test executable, and what a user's helper thread does to it.
namespace quellix::test {

// From a helper thread: the open pop-up menu, or a form of the program other than the main window.
inline HWND WaitForMenu() { return WaitForWindow({.windowClass = kMenuClass}, Pump::None); }
inline HWND WaitForDialog(HWND mainWindow) {
    return WaitForWindow({.windowClass = L"QuellixForm", .except = mainWindow}, Pump::None);
}

// A notification sent from a helper thread; false when it was not handled within the time (something waits).
inline bool SendPromptly(HWND target, UINT msg, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(target, msg, 0, lParam, SMTO_NORMAL, 3000, &ignored) != 0;
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
            const HWND menu = FindTopLevel({.windowClass = kMenuClass});
            const HWND dialog = FindTopLevel({.windowClass = L"QuellixForm", .except = main_});
            if (!menu && !dialog) return;
            if (menu) PressKeys(menu, {VK_ESCAPE});
            if (dialog) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
            ::Sleep(100);
        }
    }

private:
    HWND main_;
};

// The main window, loaded as the program loads it (hidden, icon added, subclass installed, scan started), beside a
// keyword file of its own.
class Form1Test : public ::testing::Test {
protected:
    explicit Form1Test(Form1::Doorbell doorbell = Form1::Doorbell::ForOthers) : form(&::Shell_NotifyIconA, doorbell) {}
    void SetUp() override {
        ASSERT_TRUE(form.Load());
        ASSERT_TRUE(HookInstalled);
    }
    void TearDown() override {
        form.Unload();
        // The main window ends the program on destroy; the next test must not inherit that WM_QUIT, which would end
        // its first modal loop at once.
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    void SendTrayEvent(UINT mouseMessage) {
        ::SendMessageW(form.Picture1.Handle(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
    }
    bool Visible() const { return ::IsWindowVisible(form.Handle()) != FALSE; }
    // Runs action on the test's thread, where it may enter a menu or a modal window, while user acts on a helper
    // thread as the user would; whatever user ran into, nothing is left open when both are done.
    void WhileUser(const std::function<void()>& action, const std::function<void()>& user) {
        std::thread helper([&] {
            const UnblockOnExit unblock(form.Handle());
            user();
        });
        action();
        helper.join();
    }
    // From a helper thread: chooses an item of the tray menu the test's thread has opened.
    static bool ChooseFromOpenMenu(std::initializer_list<WPARAM> keys) {
        return ChooseFromMenu(WaitForMenu(), keys, Pump::None);
    }

    KeywordSandbox files;
    Form1 form;
};

}  // namespace quellix::test
