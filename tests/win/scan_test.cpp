#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/form.h"
#include "scanner/close_candidate.h"
#include "scanner/popup_scanner.h"
#include "scanner/scan_walk.h"
#include "support/form1_fixture.h"
#include "support/quellix_process.h"

namespace quellix::test {
namespace {

// A top-level window of the test, shown unless asked otherwise; created last, it is the top of the Z order.
class Window {
public:
    explicit Window(const std::string& title, const char* windowClass = "STATIC", bool shown = true,
                    DWORD style = WS_OVERLAPPED)
        : hwnd_(::CreateWindowExA(0, windowClass, title.c_str(), style, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                  nullptr)) {
        if (shown) ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    }
    ~Window() { ::DestroyWindow(hwnd_); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

// A window class of the test's own under a system's class name, for as long as it lives.
class RegisteredClass {
public:
    explicit RegisteredClass(const char* name) : name_(name) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
    ~RegisteredClass() { ::UnregisterClassA(name_, ::GetModuleHandleA(nullptr)); }
    RegisteredClass(const RegisteredClass&) = delete;
    RegisteredClass& operator=(const RegisteredClass&) = delete;

private:
    const char* name_;
};

class ScanTest : public ::testing::Test {
protected:
    HWND Walk(int* keywordReads = nullptr, std::function<bool(HWND)> isOwnWindow = {}) {
        ScanWalk walk;
        walk.keywordPath = file_.Path();
        walk.isOwnWindow = std::move(isOwnWindow);
        const HWND found = FindFirstPopup(walk);
        if (keywordReads) *keywordReads = walk.keywordReads;
        return found;
    }
    void Keywords(const std::string& bytes) { file_.Write(bytes); }

    TempFile file_{BesideTheExe(L"scan-keywords.zap")};
};

TEST_F(ScanTest, MatchesKeywordsAnywhereInTheTitleIgnoringCase) {
    Keywords("qxwin\r\n");
    {
        Window w("QXWindows Update");
        EXPECT_EQ(Walk(), w.get());
    }
    {
        Window w("Free QXWINNER offer");
        EXPECT_EQ(Walk(), w.get());
    }
    Keywords("qx free offer\r\n");
    Window spaced("QX Free  Offer");
    EXPECT_EQ(Walk(), nullptr) << "two spaces are not one";
    Keywords("qx title that is longer\r\n");
    Window shortTitle("qx title");
    EXPECT_EQ(Walk(), nullptr);
}

TEST_F(ScanTest, OnlyTheFirst254CharactersOfATitleCount) {
    Keywords("qxtail\r\n");
    Window beyond(std::string(249, 'x') + "qxtail");  // ends at character 255: one past what is read
    EXPECT_EQ(Walk(), nullptr);
    Window within(std::string(248, 'x') + "qxtail");  // ends exactly at character 254
    EXPECT_EQ(Walk(), within.get());
}

TEST_F(ScanTest, TheUpperOfTwoMatchingWindowsIsFoundFirst) {
    Keywords("qxnothing\r\nqxpopup\r\n");
    Window lower("qxpopup one");
    Window upper("qxpopup two");
    EXPECT_EQ(Walk(), upper.get());
    ::SetWindowPos(lower.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Walk(), lower.get());
}

TEST_F(ScanTest, MissingEmptyOrBlankKeywordFilesMatchNothing) {
    Window w("qx some titled window");
    file_.Remove();
    EXPECT_EQ(Walk(), nullptr);
    Keywords("");
    EXPECT_EQ(Walk(), nullptr);
    Keywords("\r\n,,\r\n  \t \r\n\"\"\r\n");
    EXPECT_EQ(Walk(), nullptr) << "an empty keyword would match every titled window";
}

// Nor is the keyword file read for it.
TEST_F(ScanTest, AWindowWithoutTitleIsNeverMatched) {
    Keywords("\"\"\r\nqxnothing\r\n");
    const Window first("");  // the thread's first window may bring a titled helper window of the system along
    int before = 0, after = 0;
    ASSERT_EQ(Walk(&before), nullptr);
    const Window untitled[] = {Window(""), Window(""), Window("")};
    EXPECT_EQ(Walk(&after), nullptr);
    EXPECT_EQ(after, before) << "the keyword file was read for untitled windows";
}

// Wine has no console window of this class in the test's own desktop: the test registers it.
TEST_F(ScanTest, AConsoleIsNeverClosed) {
    const RegisteredClass consoleClass("ConsoleWindowClass");
    Keywords("qxrobocopy\r\n");
    Window decoy("qxrobocopy decoy");
    Window console("cmd.exe - qxrobocopy D:\\bonus E:\\backup", "ConsoleWindowClass");
    EXPECT_EQ(Walk(), decoy.get()) << "the walk passes over the console and goes on";
}

// The program's hidden windows count only when it made them: never its IME window, which the system makes for
// every thread with windows.
TEST_F(ScanTest, AHiddenWindowCountsOnlyWhenTheProgramMadeIt) {
    Keywords("qxhidden\r\ndefault ime\r\n");
    Window hidden("qxhidden form", "STATIC", false);
    EXPECT_EQ(Walk(), nullptr);
    EXPECT_EQ(Walk(nullptr, [&](HWND w) { return w == hidden.get(); }), hidden.get());
    ::SetWindowTextA(hidden.get(), "untitled now");
    const HWND ime = FindTopLevel({.windowClass = L"IME", .visibleOnly = false});
    ASSERT_NE(ime, nullptr) << "the thread has an IME window";
    EXPECT_EQ(Walk(nullptr, &Form::IsFormWindow), nullptr);
    EXPECT_TRUE(::IsWindow(ime));
}

TEST_F(ScanTest, QuotedKeywordsKeepTheirCommas) {
    Keywords("\"qx hello, world\"\r\n");
    Window w("Say QX Hello, World!");
    EXPECT_EQ(Walk(), w.get());
}

TEST_F(ScanTest, AWindowThatStaysOpenHoldsUpNoneBelowItAndStaysTheSameWindow) {
    Keywords("qxstays\r\n");
    Window lower("qxstays lower");
    Window upper("qxstays upper");
    std::vector<HWND> requests;
    PopupScanner scanner([&](HWND w) { return requests.push_back(w), true; }, nullptr);
    EXPECT_EQ(scanner.Tick(file_.Path()), upper.get());
    EXPECT_EQ(scanner.Tick(file_.Path()), lower.get()) << "the upper one stayed";
    EXPECT_EQ(scanner.Tick(file_.Path()), nullptr);
    ::SetWindowTextA(upper.get(), "qx retitled");
    ::ShowWindow(upper.get(), SW_HIDE);
    EXPECT_EQ(scanner.Tick(file_.Path()), nullptr);
    ::SetWindowTextA(upper.get(), "qxstays again");
    ::ShowWindow(upper.get(), SW_SHOWNOACTIVATE);
    EXPECT_EQ(scanner.Tick(file_.Path()), nullptr) << "retitled, hidden and back, it is the same window";
    EXPECT_EQ(requests, (std::vector<HWND>{upper.get(), lower.get()})) << "asked again only after a pause";
}

TEST_F(ScanTest, ARefusedCloseRequestLeavesTheTicksRequestToTheNextMatch) {
    Keywords("qxrefused\r\n");
    Window lower("qxrefused lower");
    Window upper("qxrefused upper");
    std::vector<HWND> requests;
    PopupScanner scanner([&](HWND w) { return requests.push_back(w), w != upper.get(); }, nullptr);
    EXPECT_EQ(scanner.Tick(file_.Path()), lower.get());
    EXPECT_EQ(scanner.Tick(file_.Path()), nullptr);
    EXPECT_EQ(requests, (std::vector<HWND>{upper.get(), lower.get()})) << "the refused one waits like one that stays";
}

// The main window as loaded, its doorbell hearing this test's windows as another program's.
class RingTest : public Form1Test {
protected:
    RingTest() : Form1Test(Form1::Doorbell::ForAll) {}
};

// While a flood of messages keeps the timer from ticking, what the scan does is a ring's: it tests the one window that
// is shown and titled, walks nothing, and reads no unchanged keyword file.
TEST_F(RingTest, ARingTestsJustTheReadyWindowsItNamesAndReadsNoUnchangedFile) {
    files.keywords.Write("qxbonus\r\n");
    const Window anchor("qx anchor");  // a window that could be asked, so the walks read the file
    ASSERT_TRUE(WaitUntil([&] { return form.ScanCounts().keywordReads > 0; }));
    const MessageFlood flood(form.lstKeyword.Handle());
    ASSERT_TRUE(WaitUntil([&] { return flood.Deep(); }));
    const PopupScanner::Counts before = form.ScanCounts();
    Window hidden("qxbonus hidden", "STATIC", false);
    ::SetWindowTextA(hidden.get(), "qxbonus hidden, retitled");
    const Window shown("qx shown");
    ASSERT_TRUE(WaitUntil([&] { return form.ScanCounts().windowsChecked > before.windowsChecked; }));
    PumpFor(500);  // a second ring, for a window not ready, would come meanwhile
    const PopupScanner::Counts after = form.ScanCounts();
    EXPECT_EQ(after.windowsChecked - before.windowsChecked, 1);
    EXPECT_EQ(after.walks, before.walks);
    EXPECT_EQ(after.keywordReads, before.keywordReads);
}

// The shell's process is injected: the test's own windows stand for the shell's.
TEST(CloseCandidate, NotCloakedNotFlatAndNotTheShellsButForAFolderWindow) {
    const RegisteredClass folderClass("CabinetWClass");
    Window other("qx shown");
    Window folder("qx folder", "CabinetWClass");
    Window flat("qx no height", "STATIC", true, WS_POPUP);  // a caption would keep a height
    ::SetWindowPos(flat.get(), nullptr, 0, 0, 50, 0, SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    const DesktopShell shell{nullptr, ::GetCurrentProcessId()};
    const struct {
        HWND window;
        DesktopShell shell;
        bool cloaked;
        bool candidate;
    } cases[] = {
        {other.get(), {}, false, true},
        {other.get(), {}, true, false},
        {other.get(), {other.get(), 0}, false, false},  // the shell window itself
        {other.get(), shell, false, false},
        {folder.get(), shell, false, true},
        {flat.get(), {}, false, false},  // nothing of it can be seen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsCloseCandidate(c.window, c.shell, [&](HWND) { return c.cloaked; }), c.candidate)
            << "case " << (&c - cases);
    }
}

}  // namespace
}  // namespace quellix::test
