// The tray icon's notifications and its menu, acted on as the shell and a user's keys would.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

#include "support/form1_fixture.h"
#include "support/quellix_process.h"

namespace quellix::test {
namespace {

TEST_F(Form1Test, TrayMenuHasItsFiveItemsWithShowAsTheDefault) {
    const HMENU menu = form.mnuPopUp.Handle();
    ASSERT_EQ(::GetMenuItemCount(menu), 5);
    const int ids[] = {Form1::kMnuShow, Form1::kMnuHide, 0, Form1::kMnuAbout, Form1::kMnuExit};
    const wchar_t* captions[] = {L"Show", L"Hide", L"", L"About", L"Exit"};
    for (UINT i = 0; i < 5; ++i) {
        wchar_t text[32]{};
        ::GetMenuStringW(menu, i, text, 32, MF_BYPOSITION);
        EXPECT_STREQ(text, captions[i]);
        EXPECT_EQ(::GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR, i == 2 ? MF_SEPARATOR : 0u);
        if (ids[i]) {
            EXPECT_EQ(::GetMenuItemID(menu, static_cast<int>(i)), static_cast<UINT>(ids[i]));
        }
    }
    EXPECT_EQ(::GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(Form1::kMnuShow));
    EXPECT_EQ(::GetMenu(form.Handle()), nullptr) << "no menu bar";
}

// The hot key reaches the window through the subclass the load step installs.
TEST_F(Form1Test, DoubleClickAndHotKeyShowTheWindowAndBringItToTheFront) {
    const std::function<void()> ways[] = {[&] { SendTrayEvent(WM_LBUTTONDBLCLK); },
                                          [&] { ::SendMessageW(form.Handle(), WM_HOTKEY, 1, 0); }};
    for (const auto& showUp : ways) {
        form.Hide();
        showUp();
        EXPECT_TRUE(Visible());
        EXPECT_EQ(::GetForegroundWindow(), form.Handle());

        const TestPopup other(L"Another program");
        ::SetForegroundWindow(other.Handle());
        showUp();
        EXPECT_EQ(::GetForegroundWindow(), form.Handle()) << "also when it is already visible";
    }
}

TEST_F(Form1Test, OtherMouseEventsDoNothing) {
    std::atomic<bool> done{false};
    bool allPrompt = true;
    std::thread shell([&] {
        for (const UINT event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}) {
            allPrompt &= SendPromptly(form.Picture1.Handle(), WM_MOUSEMOVE, event);  // a menu would hold it
        }
        if (const HWND menu = FindTopLevel({.windowClass = kMenuClass})) PressKeys(menu, {VK_ESCAPE});
        done = true;
    });
    WaitUntil([&] { return done.load(); }, 30000, Pump::Forms);
    shell.join();
    EXPECT_TRUE(allPrompt);
    EXPECT_FALSE(Visible());

    SendTrayEvent(0x7FFF0000 | WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Visible()) << "only the low word carries the event";
}

TEST_F(Form1Test, RightButtonUpOpensTheMenuAtTheMouseAndDropsNotificationsMeanwhile) {
    ::SetCursorPos(300, 400);
    HWND menuWindow = nullptr, foreground = nullptr;
    RECT menuRect{};
    bool nestedPrompt = false, hiddenAfterNested = false;
    // The notification returns when the menu has closed.
    WhileUser([&] { SendTrayEvent(WM_RBUTTONUP); }, [&] {
        if (!(menuWindow = WaitForMenu())) return;
        ::GetWindowRect(menuWindow, &menuRect);
        foreground = ::GetForegroundWindow();
        // A double-click while the menu is open is dropped, not queued for later.
        nestedPrompt = SendPromptly(form.Picture1.Handle(), WM_MOUSEMOVE, WM_LBUTTONDBLCLK);
        hiddenAfterNested = !Visible();
        PressKeys(menuWindow, {VK_ESCAPE});
    });

    ASSERT_NE(menuWindow, nullptr);
    EXPECT_LE(std::abs(menuRect.left - 300) + std::abs(menuRect.top - 400), 4);
    EXPECT_EQ(foreground, form.Handle()) << "the menu's owner is made the foreground window first";
    EXPECT_TRUE(nestedPrompt);
    EXPECT_TRUE(hiddenAfterNested);
    PumpFor(100, Pump::Forms);
    EXPECT_FALSE(Visible()) << "Escape chose nothing, and the dropped double-click stays lost";

    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Visible()) << "the next notification is handled again";
}

TEST_F(Form1Test, MenuShowAndHideChangeOnlyTheWindow) {
    for (const bool show : {true, false}) {
        bool chose = false;
        WhileUser([&] { SendTrayEvent(WM_RBUTTONUP); },
                  [&] { chose = ChooseFromOpenMenu(show ? kMenuShow : kMenuHide); });
        ASSERT_TRUE(chose);
        EXPECT_EQ(Visible(), show);
    }
    EXPECT_TRUE(form.IsLoaded());
}

}  // namespace
}  // namespace quellix::test
