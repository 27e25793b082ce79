// The tray icon, its menu, the hot key and the About window, driven against the real program.
#include <gtest/gtest.h>

#include "e2e/e2e_support.h"
#include "e2e/user_actions.h"

namespace quellix::e2e {
namespace {

constexpr wchar_t kAboutCaption[] = L"Vorel Software";

TEST(TrayEndToEnd, DoubleClickShowsTheMainWindowInFront) {
    QuellixProcess quellix(std::string("casino\r\n"));
    ASSERT_TRUE(quellix.Started());
    ASSERT_FALSE(quellix.MainWindowVisible());
    quellix.SendTrayEvent(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return quellix.MainWindowVisible() && InFront(quellix.MainWindow()); }, kGenerous));
}

TEST(TrayEndToEnd, RightClickMenuCanBeDismissedAndLeavesTheWindowAsItWas) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    const HWND menu = OpenTrayMenu(quellix);
    ASSERT_NE(menu, nullptr);
    PressKeys(menu, {VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(menu); }, kGenerous));
    PumpFor(300);
    EXPECT_FALSE(quellix.MainWindowVisible());
    EXPECT_TRUE(quellix.Running());
    EXPECT_TRUE(quellix.ShowFromTray()) << "the icon answers again once the menu has closed";
}

TEST(TrayEndToEnd, MenuHideHidesTheWindowAndTheProgramRunsOn) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(quellix.ShowFromTray());
    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuHide));
    EXPECT_TRUE(WaitUntil([&] { return !quellix.MainWindowVisible(); }, kGenerous));
    PumpFor(300);
    EXPECT_TRUE(quellix.Running());

    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuShow));
    EXPECT_TRUE(WaitUntil([&] { return quellix.MainWindowVisible(); }, kGenerous));
}

TEST(TrayEndToEnd, MenuExitEndsTheProgram) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuExit));
    ASSERT_TRUE(quellix.WaitForExit(kGenerous));
    DWORD code = 1;
    ::GetExitCodeProcess(quellix.Process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(TrayEndToEnd, HotKeyShowsTheHiddenMainWindow) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ::PostMessageW(quellix.MainWindow(), WM_HOTKEY, 1, 0);
    EXPECT_TRUE(WaitUntil([&] { return quellix.MainWindowVisible() && InFront(quellix.MainWindow()); }, kGenerous));
}

TEST(TrayEndToEnd, AboutFromButtonAndMenuIsCentredWhileTheScanGoesOn) {
    QuellixProcess quellix(std::string("casino\r\n"));
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(quellix.ShowFromTray());

    Press(quellix.Button(L"A&bout"));
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindTopLevel(quellix.Pid(), kAboutCaption)) != nullptr; }, kGenerous));
    EXPECT_TRUE(IsCentred(about));
    EXPECT_FALSE(::IsWindowEnabled(quellix.MainWindow()));
    {
        TestPopup popup(L"Free Casino Bonus");
        EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }, kGenerous)) << "the scan runs while About is open";
    }
    Press(FindChild(about, L"Button", L"&OK"));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kGenerous));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(quellix.MainWindow()) != FALSE; }, kGenerous));

    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuAbout));
    ASSERT_TRUE(WaitUntil([&] { return (about = FindTopLevel(quellix.Pid(), kAboutCaption)) != nullptr; }, kGenerous));
    EXPECT_TRUE(IsCentred(about));
    ::PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kGenerous));
    EXPECT_TRUE(quellix.Running());
}

}  // namespace
}  // namespace quellix::e2e
