// The program as a whole, the way a user meets it: a pop-up closed, a keyword added, the ways out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/user_actions.h"

namespace quellix::test {
namespace {

TEST(Walkthrough, OnePopupFromStartToClose) {
    QuellixProcess quellix(std::string("casino\r\n"));
    ASSERT_TRUE(quellix.Started());
    const HWND icon = quellix.Picture1();
    EXPECT_FALSE(quellix.MainWindowVisible()) << "it lives in the notification area";
    EXPECT_TRUE(TrayIconPresent(icon));

    TestPopup news(L"Morning News");
    TestPopup bonus(L"Free Casino Bonus");
    EXPECT_TRUE(WaitUntil([&] { return bonus.Closed(); }, kGenerous));
    EXPECT_EQ(bonus.CloseRequests(), 1) << "one close request: the window went at once";
    PumpFor(800);  // several more ticks
    EXPECT_EQ(news.CloseRequests(), 0);
    EXPECT_FALSE(quellix.MainWindowVisible());
    EXPECT_EQ(quellix.ReadKeywordFile(), "casino\r\n") << "the scan only reads";
    EXPECT_TRUE(quellix.Running());
}

TEST(Walkthrough, OneEditFromTheTrayToTheList) {
    QuellixProcess quellix(std::string("poker\r\n"));
    ASSERT_TRUE(quellix.Started());

    // A double-click on the icon brings the window up with the file's list.
    quellix.SendTrayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return quellix.MainWindowVisible() && InFront(quellix.MainWindow()); }, kGenerous));
    EXPECT_TRUE(quellix.ListShows({L"poker"}));
    EXPECT_EQ(AccessibleName(quellix.List()), L"Keyword") << "a screen reader in another process hears its name";

    // Add: the dialog opens with the focus in its text box, the main window takes no input and
    // the scan pauses.
    const HWND dialog = OpenDialog(quellix, L"&Add", kAddCaption);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(::IsWindowEnabled(quellix.MainWindow()));
    TestPopup poker(L"Poker Night");
    PumpFor(800);
    EXPECT_EQ(poker.CloseRequests(), 0) << "no scan while the dialog is open";

    // Typing and Enter: OK appends the line and closes the dialog.
    ASSERT_TRUE(Submit(dialog, L"casino"));
    EXPECT_EQ(quellix.ReadKeywordFile(), "poker\r\ncasino\r\n");

    // The main window is active again and its list shows the new keyword; the scan resumed.
    EXPECT_TRUE(quellix.ListShows({L"poker", L"casino"}));
    EXPECT_TRUE(::IsWindowEnabled(quellix.MainWindow()));
    EXPECT_TRUE(::IsWindowEnabled(quellix.Button(L"&Delete")));
    EXPECT_TRUE(WaitUntil([&] { return poker.Closed(); }, kGenerous));
    TestPopup bonus(L"Free Casino Bonus");
    EXPECT_TRUE(WaitUntil([&] { return bonus.Closed(); }, kGenerous));
}

TEST(Walkthrough, AnEditWhileAnotherProgramIsInFrontStillReachesTheList) {
    QuellixProcess quellix(std::string("poker\r\n"));
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(quellix.ShowFromTray());
    TestPopup other(L"Morning News");  // another program's window takes the foreground
    ::SetForegroundWindow(other.Handle());
    ASSERT_TRUE(Submit(OpenDialog(quellix, L"&Add", kAddCaption), L"casino"));
    EXPECT_TRUE(quellix.ListShows({L"poker", L"casino"}));
}

// Whatever happened while the window was hidden, every showing from the icon rereads the keyword file and puts the
// focus on Hide the first time, on the control that had it afterwards.
TEST(Walkthrough, EveryShowingRereadsTheFileAndPlacesTheFocus) {
    const auto dismissMenu = [](const QuellixProcess& quellix, bool byEscape) {
        const HWND menu = OpenTrayMenu(quellix);
        if (!menu) return false;
        PumpFor(300);  // the menu settles under the mouse first
        RECT r{};
        ::GetWindowRect(menu, &r);
        if (byEscape) {
            PressKeys(menu, {VK_ESCAPE});
        } else {
            ClickAt({r.right + 150, r.bottom + 150});
        }
        return WaitUntil([&] { return !::IsWindowVisible(menu); });
    };
    const struct {
        const char* whileHidden;
        std::function<bool(const QuellixProcess&)> act;
    } cases[] = {
        {"tray menu dismissed with Escape", [&](const QuellixProcess& quellix) { return dismissMenu(quellix, true); }},
        {"tray menu dismissed by a click elsewhere",
         [&](const QuellixProcess& quellix) { return dismissMenu(quellix, false); }},
        {"About opened from the tray menu and closed",
         [](const QuellixProcess& quellix) {
             if (!ChooseFromTrayMenu(quellix, kMenuAbout)) return false;
             const HWND about = WaitForWindow(quellix, L"Vorel Software");
             Press(FindChild(about, L"Button", L"&OK"));
             return about && WaitUntil([&] { return !::IsWindow(about); });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.whileHidden);
        QuellixProcess quellix(std::string("casino\r\n"));
        ASSERT_TRUE(quellix.Started());
        ASSERT_TRUE(c.act(quellix));
        quellix.WriteKeywordFile("casino\r\npoker\r\n");
        ASSERT_TRUE(quellix.ShowFromTray());
        EXPECT_TRUE(quellix.ListShows({L"casino", L"poker"}));
        EXPECT_TRUE(WaitUntil([&] { return quellix.Focus() == quellix.Button(L"&Hide"); })) << "first showing";

        PressKeys(quellix.Button(L"&Hide"), {VK_TAB});
        ASSERT_TRUE(WaitUntil([&] { return quellix.Focus() == quellix.Button(L"A&bout"); }));
        ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuHide));
        ASSERT_TRUE(WaitUntil([&] { return !quellix.MainWindowVisible(); }));
        ASSERT_TRUE(c.act(quellix));
        quellix.WriteKeywordFile("poker\r\n");
        ASSERT_TRUE(quellix.ShowFromTray());
        EXPECT_TRUE(quellix.ListShows({L"poker"}));
        EXPECT_TRUE(WaitUntil([&] { return quellix.Focus() == quellix.Button(L"A&bout"); })) << "later showing";
    }
}

// Started again from its folder, the program brings up the copy that runs there and ends; from another folder it
// runs beside it. Two copies started at the same moment end as one.
TEST(Walkthrough, StartingItAgainBringsUpTheRunningCopy) {
    QuellixProcess first(std::string("casino\r\n"));
    ASSERT_TRUE(first.Started());
    ASSERT_FALSE(first.MainWindowVisible());
    const KernelHandle again = StartProgram(first.Folder() + L"\\quellix.exe", L"", first.Folder());
    ASSERT_TRUE(again);
    EXPECT_EQ(::WaitForSingleObject(again.get(), kGenerous), WAIT_OBJECT_0) << "the second copy ends at once";
    ::TerminateProcess(again.get(), 1);  // should it still run, it must not outlive the test
    DWORD code = 1;
    ::GetExitCodeProcess(again.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return first.MainWindowVisible() && InFront(first.MainWindow()); }));
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(TrayIconPresent(first.Picture1()));

    QuellixProcess elsewhere(std::string("poker\r\n"));
    EXPECT_TRUE(elsewhere.Started()) << "a copy in another folder runs beside it";
    EXPECT_TRUE(first.Running());

    TempFolder folder(L"quellix-twins");
    ASSERT_TRUE(::CopyFileW(QuellixExePath().c_str(), folder.Path(L"quellix.exe").c_str(), FALSE));
    KernelHandle twins[] = {StartProgram(folder.Path(L"quellix.exe"), L"", folder.Path()),
                            StartProgram(folder.Path(L"quellix.exe"), L"", folder.Path())};
    PumpFor(3000);
    int running = 0;
    for (const KernelHandle& twin : twins) running += ::WaitForSingleObject(twin.get(), 0) == WAIT_TIMEOUT ? 1 : 0;
    EXPECT_EQ(running, 1) << "started at the same moment";
    for (const KernelHandle& twin : twins) {
        ::TerminateProcess(twin.get(), 0);
        ::WaitForSingleObject(twin.get(), kGenerous);
    }
}

// Every way out removes the icon and ends the process.
class WayOut : public ::testing::Test {
protected:
    void ExpectCleanEnd(QuellixProcess& quellix, HWND icon) {
        EXPECT_TRUE(quellix.WaitForExit(kGenerous));
        EXPECT_FALSE(TrayIconPresent(icon));
    }
};

TEST_F(WayOut, TrayMenuExit) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    const HWND icon = quellix.Picture1();
    ASSERT_TRUE(TrayIconPresent(icon));
    ASSERT_TRUE(ChooseFromTrayMenu(quellix, kMenuExit));
    ExpectCleanEnd(quellix, icon);
    DWORD code = 1;
    ::GetExitCodeProcess(quellix.Process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(WayOut, CloseBox) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ASSERT_TRUE(quellix.ShowFromTray());
    const HWND icon = quellix.Picture1();
    ::PostMessageW(quellix.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectCleanEnd(quellix, icon);
}

TEST_F(WayOut, ItsOwnScanClosesItWhenAKeywordMatchesItsCaption) {
    QuellixProcess quellix(std::string("quellix\r\n"));
    ASSERT_TRUE(quellix.Started());
    const HWND icon = quellix.Picture1();
    ExpectCleanEnd(quellix, icon);
}

}  // namespace
}  // namespace quellix::test
