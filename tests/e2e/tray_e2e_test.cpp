// The tray icon, its menu, the hot key and the About window, driven against the real program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>

#include "e2e/e2e_support.h"

namespace quellix::e2e {
namespace {

constexpr DWORD kGenerous = 10000;  // a loaded machine is slow; the program answers far faster
constexpr wchar_t kAboutCaption[] = L"Vorel Softworks";

HWND OpenMenu(const QuellixProcess& quellix) {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = FindTopLevel(quellix.Pid(), L"", L"#32768")) != nullptr; }, kGenerous);
    return menu;
}

// Keys as a user presses them while the menu is open: the menu reads them from the program's queue. Posted
// together they are taken before any mouse movement, which would move the highlight.
void PressKeys(HWND target, std::initializer_list<WPARAM> keys) {
    for (const WPARAM key : keys) {
        ::PostMessageW(target, WM_KEYDOWN, key, 1);
        ::PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
}

// Opens the tray menu and chooses an item with the keys: Home goes to the first item, Down to the next one (the
// separator is skipped), End to the last.
bool ChooseFromTrayMenu(const QuellixProcess& quellix, std::initializer_list<WPARAM> keys) {
    quellix.SendTrayEvent(WM_RBUTTONUP);
    const HWND menu = OpenMenu(quellix);
    if (!menu) return false;
    PumpFor(300);  // the menu settles under the mouse first
    PressKeys(menu, keys);
    PressKeys(menu, {VK_RETURN});
    return WaitUntil([&] { return !::IsWindowVisible(menu); }, kGenerous);
}

bool InFront(HWND window) { return ::GetForegroundWindow() == window; }

const std::initializer_list<WPARAM> kShow{VK_HOME}, kHide{VK_HOME, VK_DOWN}, kAbout{VK_END, VK_UP}, kExit{VK_END};

bool IsCentred(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return std::abs((r.left + r.right) - ::GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
           std::abs((r.top + r.bottom) - ::GetSystemMetrics(SM_CYSCREEN)) <= 1;
}

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
    quellix.SendTrayEvent(WM_RBUTTONUP);
    const HWND menu = OpenMenu(quellix);
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
    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kHide));
    EXPECT_TRUE(WaitUntil([&] { return !quellix.MainWindowVisible(); }, kGenerous));
    PumpFor(300);
    EXPECT_TRUE(quellix.Running());

    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kShow));
    EXPECT_TRUE(WaitUntil([&] { return quellix.MainWindowVisible(); }, kGenerous));
}

TEST(TrayEndToEnd, MenuExitEndsTheProgram) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kExit));
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

    // Posted: a sent click would wait for the modal window to close.
    ::PostMessageW(quellix.Button(L"A&bout"), BM_CLICK, 0, 0);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindTopLevel(quellix.Pid(), kAboutCaption)) != nullptr; }, kGenerous));
    EXPECT_TRUE(IsCentred(about));
    EXPECT_FALSE(::IsWindowEnabled(quellix.MainWindow()));
    {
        TestPopup popup(L"Free Casino Bonus");
        EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }, kGenerous)) << "the scan runs while About is open";
    }
    ::PostMessageW(::GetDlgItem(about, 1), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kGenerous));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(quellix.MainWindow()) != FALSE; }, kGenerous));

    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kAbout));
    ASSERT_TRUE(WaitUntil([&] { return (about = FindTopLevel(quellix.Pid(), kAboutCaption)) != nullptr; }, kGenerous));
    EXPECT_TRUE(IsCentred(about));
    ::PostMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kGenerous));
    EXPECT_TRUE(quellix.Running());
}

}  // namespace
}  // namespace quellix::e2e
