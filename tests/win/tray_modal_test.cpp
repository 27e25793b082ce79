// While one of the program's modal windows is open, the icon and the hot key bring that window to the front: they
// neither show the main window nor open the menu.
#include <windows.h>

#include <gtest/gtest.h>


#include "support/form1_fixture.h"
#include "support/quellix_process.h"

namespace quellix::test {
namespace {

TEST_F(Form1Test, WhileAboutIsOpenTheIconAndHotKeyRaiseItInstead) {
    HWND dialog = nullptr;
    bool prompt[3] = {}, mainStayedHidden = true, menuStayedShut = true;
    HWND foreground[3] = {};
    WhileUser([&] { form.cmdAbout_Click(); }, [&] {
        if (!(dialog = WaitForDialog(form.Handle()))) return;
        const TestPopup other(L"Another program");
        const struct {
            HWND target;
            UINT msg;
            LPARAM lParam;
        } actions[] = {{form.Picture1.Handle(), WM_MOUSEMOVE, WM_LBUTTONDBLCLK},
                       {form.Picture1.Handle(), WM_MOUSEMOVE, WM_RBUTTONUP},
                       {form.Handle(), WM_HOTKEY, 0}};
        for (int i = 0; i < 3; ++i) {
            ::SetForegroundWindow(other.Handle());
            prompt[i] = SendPromptly(actions[i].target, actions[i].msg, actions[i].lParam);
            foreground[i] = ::GetForegroundWindow();
            mainStayedHidden &= !Visible();
            if (const HWND menu = FindTopLevel({.windowClass = kMenuClass})) {
                menuStayedShut = false;
                PressKeys(menu, {VK_ESCAPE});
            }
        }
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    });

    ASSERT_NE(dialog, nullptr);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(prompt[i]) << "nothing waits on a second window or a menu";
        EXPECT_EQ(foreground[i], dialog);
    }
    EXPECT_TRUE(mainStayedHidden);
    EXPECT_TRUE(menuStayedShut);

    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Visible()) << "with the About window gone the icon shows the main window again";
}

}  // namespace
}  // namespace quellix::test
