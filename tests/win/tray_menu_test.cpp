// The tray icon's notifications and its menu, acted on as the shell and a user's keys would.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "tray_test_support.h"

namespace quellix::test {
namespace {

// A window of the test that takes the foreground away from the program.
class OtherWindow {
public:
    OtherWindow() {
        hwnd_ = ::CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE, 600, 600, 80, 40, nullptr,
                                  nullptr, nullptr, nullptr);
    }
    ~OtherWindow() { ::DestroyWindow(hwnd_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND Handle() const { return hwnd_; }
    void TakeForeground() const { ::SetForegroundWindow(hwnd_); }

private:
    HWND hwnd_ = nullptr;
};

// A notification delivered from a helper thread while the test's thread is in a nested loop; false when it was
// not handled within the time (the handler opened something and waits).
bool SendTrayEventFrom(HWND picture1, UINT mouseMessage) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(picture1, WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage), SMTO_NORMAL, 3000,
                                 &ignored) != 0;
}

TEST_F(Form1Test, TrayMenuHasItsFiveItemsWithShowAsTheDefault) {
    const HMENU menu = form.mnuPopUp.Handle();
    ASSERT_EQ(::GetMenuItemCount(menu), 5);
    const struct {
        int id;
        const wchar_t* caption;
    } expected[] = {{Form1::kMnuShow, L"Show"},
                    {Form1::kMnuHide, L"Hide"},
                    {Form1::kMnuSeprator, nullptr},
                    {Form1::kMnuAbout, L"About"},
                    {Form1::kMnuExit, L"Exit"}};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        wchar_t text[32]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 32;
        ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
        if (!expected[i].caption) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(static_cast<int>(info.wID), expected[i].id);
        EXPECT_STREQ(text, expected[i].caption);
        EXPECT_EQ((info.fState & MFS_DEFAULT) != 0, expected[i].id == Form1::kMnuShow);
    }
    EXPECT_EQ(::GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(Form1::kMnuShow));
    EXPECT_EQ(::GetMenu(form.Handle()), nullptr) << "no menu bar";
}

TEST_F(Form1Test, DoubleClickShowsTheWindowAndBringsItToTheFront) {
    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(::GetForegroundWindow(), form.Handle());

    OtherWindow other;
    other.TakeForeground();
    ASSERT_NE(::GetForegroundWindow(), form.Handle());
    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_EQ(::GetForegroundWindow(), form.Handle()) << "also when it is already visible";
}

TEST_F(Form1Test, OtherMouseEventsDoNothing) {
    std::atomic<bool> stop{false};
    std::atomic<int> menusSeen{0};
    std::thread watcher([&] {
        while (!stop) {
            if (const HWND menu = FindVisibleWindow(L"#32768")) {
                ++menusSeen;
                PostKey(menu, VK_ESCAPE);
            }
            ::Sleep(20);
        }
    });
    for (const UINT event : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK,
                             WM_MBUTTONUP}) {
        SCOPED_TRACE(event);
        SendTrayEvent(event);
        PumpFor(50);
        EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    }
    stop = true;
    watcher.join();
    EXPECT_EQ(menusSeen, 0);
    // Only the low word carries the event.
    ::SendMessageW(form.Picture1.Handle(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(0x7FFF0000 | WM_LBUTTONDBLCLK));
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));
}

TEST_F(Form1Test, RightButtonUpOpensTheMenuAtTheMouseAndDropsNotificationsMeanwhile) {
    ::SetCursorPos(300, 400);
    struct {
        bool menuOpened = false;
        RECT menuRect{};
        HWND foreground = nullptr;
        bool nestedHandled = false;
        bool hiddenAfterNested = false;
    } seen;
    std::thread user([&] {
        const HWND menuWindow = WaitForOpenMenu();
        seen.menuOpened = menuWindow != nullptr;
        if (!menuWindow) return;
        ::GetWindowRect(menuWindow, &seen.menuRect);
        seen.foreground = ::GetForegroundWindow();
        // A double-click while the menu is open is dropped, not queued for later.
        seen.nestedHandled = SendTrayEventFrom(form.Picture1.Handle(), WM_LBUTTONDBLCLK);
        seen.hiddenAfterNested = !::IsWindowVisible(form.Handle());
        PostKey(menuWindow, VK_ESCAPE);
    });
    SendTrayEvent(WM_RBUTTONUP);  // returns when the menu has closed
    user.join();

    ASSERT_TRUE(seen.menuOpened);
    EXPECT_LE(std::abs(seen.menuRect.left - 300), 2);
    EXPECT_LE(std::abs(seen.menuRect.top - 400), 2);
    EXPECT_EQ(seen.foreground, form.Handle()) << "the menu's owner is made the foreground window first";
    EXPECT_TRUE(seen.nestedHandled);
    EXPECT_TRUE(seen.hiddenAfterNested);
    EXPECT_EQ(FindVisibleWindow(L"#32768"), nullptr);
    PumpFor(100);
    EXPECT_FALSE(::IsWindowVisible(form.Handle())) << "Escape chose nothing; the dropped double-click stays lost";

    SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(form.Handle())) << "the next notification is handled again";
}

TEST_F(Form1Test, MenuShowAndHideChangeOnlyTheWindow) {
    bool chose = false;
    std::thread showUser([&] { chose = ChooseFromOpenMenu(form.mnuPopUp.Handle(), Form1::kMnuShow); });
    SendTrayEvent(WM_RBUTTONUP);
    showUser.join();
    ASSERT_TRUE(chose);
    PumpFor(50);
    EXPECT_TRUE(::IsWindowVisible(form.Handle()));

    std::thread hideUser([&] { chose = ChooseFromOpenMenu(form.mnuPopUp.Handle(), Form1::kMnuHide); });
    SendTrayEvent(WM_RBUTTONUP);
    hideUser.join();
    ASSERT_TRUE(chose);
    PumpFor(50);
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.IsLoaded());
}

TEST_F(Form1Test, HotKeyShowsTheHiddenMainWindow) {
    OtherWindow other;
    other.TakeForeground();
    ::PostMessageW(form.Handle(), WM_HOTKEY, 1, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form.Handle()) != FALSE; }));
    EXPECT_EQ(::GetForegroundWindow(), form.Handle());
}

}  // namespace
}  // namespace quellix::test
