// What the icon and the hot key do while one of the program's modal windows is open: they bring that window to
// the front and neither show the main window nor open the menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "tray_test_support.h"

namespace quellix::test {
namespace {

struct ModalSeen {
    HWND dialog = nullptr;
    bool handledPromptly[3] = {};
    HWND foregroundAfter[3] = {};
    bool mainStayedHidden = true;
    bool menuStayedShut = true;
};

TEST_F(Form1Test, WhileAboutIsOpenTheIconAndHotKeyRaiseItInstead) {
    ModalSeen seen;
    std::thread user([&] {
        seen.dialog = WaitForDialog(form.Handle());
        if (!seen.dialog) return;
        const HWND other = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 600, 600, 80,
                                             40, nullptr, nullptr, nullptr, nullptr);
        // Double-click, right-click, and the hot key, each after another window took the foreground.
        const struct {
            HWND target;
            UINT msg;
            LPARAM lParam;
        } actions[] = {{form.Picture1.Handle(), WM_MOUSEMOVE, WM_LBUTTONDBLCLK},
                       {form.Picture1.Handle(), WM_MOUSEMOVE, WM_RBUTTONUP},
                       {form.Handle(), WM_HOTKEY, 0}};
        for (int i = 0; i < 3; ++i) {
            ::SetForegroundWindow(other);
            DWORD_PTR ignored = 0;
            seen.handledPromptly[i] =
                ::SendMessageTimeoutW(actions[i].target, actions[i].msg, 0, actions[i].lParam, SMTO_NORMAL, 3000,
                                      &ignored) != 0;
            seen.foregroundAfter[i] = ::GetForegroundWindow();
            seen.mainStayedHidden &= !::IsWindowVisible(form.Handle());
            if (const HWND menu = FindVisibleWindow(L"#32768")) {
                seen.menuStayedShut = false;
                PostKey(menu, VK_ESCAPE);
            }
        }
        ::DestroyWindow(other);
        ::PostMessageW(seen.dialog, WM_CLOSE, 0, 0);
    });
    form.cmdAbout_Click();
    user.join();

    ASSERT_NE(seen.dialog, nullptr);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(seen.handledPromptly[i]) << "nothing waits on a second window or a menu";
        EXPECT_EQ(seen.foregroundAfter[i], seen.dialog);
    }
    EXPECT_TRUE(seen.mainStayedHidden);
    EXPECT_TRUE(seen.menuStayedShut);

    // With the About window gone the icon shows the main window again.
    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
}

}  // namespace
}  // namespace quellix::test
