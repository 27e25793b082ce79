// The About window: its layout and texts, its placement, and how it opens and closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dialogs/frm_about.h"
#include "platform/caption_label.h"
#include "platform/screen.h"
#include "tray_test_support.h"

namespace quellix::test {
namespace {

std::vector<std::wstring> SplitAtCr(const std::wstring& text) {
    std::vector<std::wstring> lines(1);
    for (const wchar_t c : text) {
        if (c == L'\r') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

// A child's rectangle in the parent's client pixels.
RECT ClientRectOf(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT PixelsFromTwips(int left, int top, int width, int height) {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(left) + TwipsToPixels(width),
            TwipsToPixels(top) + TwipsToPixels(height)};
}

void ExpectRect(const RECT& actual, const RECT& expected) {
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

// How many lines the label's own text takes when drawn in its font and width.
int DrawnLineCount(HWND label) {
    wchar_t text[512]{};
    ::GetWindowTextW(label, text, 512);
    RECT client{};
    ::GetClientRect(label, &client);
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    RECT needed = client;
    ::DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    return (needed.bottom - needed.top) / metrics.tmHeight;
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(about.Load()); }
    void TearDown() override { about.Unload(); }
    frmAbout about;
};

TEST_F(AboutTest, WindowHasItsStoredLayout) {
    const HWND hwnd = about.Handle();
    RECT client{};
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, TwipsToPixels(5550));
    EXPECT_EQ(client.bottom, TwipsToPixels(3600));
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(::GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a taskbar button of its own";
    EXPECT_FALSE(about.Caption().empty()) << "the maker's name";
    EXPECT_NE(::GetClassLongPtrW(hwnd, GCLP_HICON), 0) << "the application's icon";

    ExpectRect(ClientRectOf(about.cmdOK.Handle()), PixelsFromTwips(4200, 3120, 1215, 360));
    ExpectRect(ClientRectOf(about.Label4.Handle()), PixelsFromTwips(120, 0, 5415, 615));
    ExpectRect(ClientRectOf(about.Label3.Handle()), PixelsFromTwips(3360, 1920, 2175, 1095));
    ExpectRect(ClientRectOf(about.Label2.Handle()), PixelsFromTwips(120, 1920, 2535, 1455));
    EXPECT_EQ(about.cmdOK.Text(), L"&OK");
    EXPECT_EQ(::GetWindowLongW(about.cmdOK.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

TEST_F(AboutTest, RulesRunAcrossTheWindowTwoPixelsThick) {
    for (const auto& [rule, y] : {std::pair{&about.Line2, 720}, std::pair{&about.Line1, 1800}}) {
        SCOPED_TRACE(y);
        const RECT r = ClientRectOf(rule->Handle());
        EXPECT_EQ(r.left, TwipsToPixels(120));
        EXPECT_EQ(r.right, TwipsToPixels(120) + (TwipsToPixels(5520) - TwipsToPixels(120)));
        EXPECT_EQ(r.top, TwipsToPixels(y));
        EXPECT_EQ(r.bottom - r.top, 2);
        EXPECT_TRUE(::GetWindowLongW(rule->Handle(), GWL_STYLE) & WS_VISIBLE);
        EXPECT_FALSE(::IsWindowEnabled(rule->Handle())) << "a rule takes no input";
    }
    // Painted in the window-text colour, unlike the face beside it.
    about.Show();
    ::RedrawWindow(about.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC ruleDc = ::GetDC(about.Line2.Handle());
    const COLORREF onRule = ::GetPixel(ruleDc, 100, 1);
    ::ReleaseDC(about.Line2.Handle(), ruleDc);
    HDC formDc = ::GetDC(about.Handle());
    const COLORREF beside = ::GetPixel(formDc, TwipsToPixels(2000), TwipsToPixels(720) + 6);
    ::ReleaseDC(about.Handle(), formDc);
    EXPECT_EQ(onRule, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(beside, ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(AboutTest, OnlyTheOkButtonTakesTheFocus) {
    int tabStops = 0;
    for (HWND child = ::GetWindow(about.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) ++tabStops;
    }
    EXPECT_EQ(tabStops, 1);
}

TEST_F(AboutTest, LabelsHoldTheirLinesSeparatedByLoneCarriageReturns) {
    const auto address = SplitAtCr(about.Label2.Caption());
    ASSERT_EQ(address.size(), 6u);
    EXPECT_TRUE(address[3].empty());
    for (const std::size_t filled : {0u, 1u, 2u, 4u, 5u}) EXPECT_FALSE(address[filled].empty()) << filled;

    const auto telephone = SplitAtCr(about.Label3.Caption());
    ASSERT_EQ(telephone.size(), 2u);
    EXPECT_FALSE(telephone[0].empty());
    EXPECT_FALSE(telephone[1].empty());

    const auto title = SplitAtCr(about.Label4.Caption());
    ASSERT_EQ(title.size(), 3u);
    EXPECT_EQ(title[0], L"Vorel Quellix");
    EXPECT_TRUE(title[1].empty());
    EXPECT_FALSE(title[2].empty());

    for (const CaptionLabel* label : {&about.Label2, &about.Label3, &about.Label4}) {
        EXPECT_EQ(label->Caption().find(L'\n'), std::wstring::npos) << "stored with lone CRs";
    }
}

TEST_F(AboutTest, LabelsShowEachLineOnItsOwn) {
    EXPECT_EQ(DrawnLineCount(about.Label2.Handle()), 6);
    EXPECT_EQ(DrawnLineCount(about.Label3.Handle()), 2);
    EXPECT_EQ(DrawnLineCount(about.Label4.Handle()), 3);
}

TEST(CaptionLabelText, LoneCarriageReturnsBecomeLineBreaks) {
    EXPECT_EQ(LineBreaksForDisplay(L"a\rb"), L"a\r\nb");
    EXPECT_EQ(LineBreaksForDisplay(L"a\r\rb\r"), L"a\r\n\r\nb\r\n");
    EXPECT_EQ(LineBreaksForDisplay(L"a\r\nb\nc"), L"a\r\nb\nc") << "existing breaks stay as they are";
    EXPECT_EQ(LineBreaksForDisplay(L""), L"");
}

TEST_F(AboutTest, IsCentredExactlyOnTheScreen) {
    about.Show();
    RECT r{};
    ::GetWindowRect(about.Handle(), &r);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((r.left + r.right) - screenWidth), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - screenHeight), 1) << "the exact centre, not 40 % of the free height";
}

// What a helper thread saw of the About window while the test's thread was inside its modal show.
struct AboutSeen {
    HWND window = nullptr;
    std::wstring caption;
    RECT rect{};
    HWND owner = nullptr;
    bool mainDisabled = false;
    HWND focus = nullptr;
    HWND okButton = nullptr;
};

AboutSeen WatchAbout(HWND mainWindow) {
    AboutSeen seen;
    seen.window = WaitForDialog(mainWindow);
    if (!seen.window) return seen;
    wchar_t caption[64]{};
    ::GetWindowTextW(seen.window, caption, 64);
    seen.caption = caption;
    ::GetWindowRect(seen.window, &seen.rect);
    seen.owner = ::GetWindow(seen.window, GW_OWNER);
    seen.mainDisabled = !::IsWindowEnabled(mainWindow);
    PollUntil([&] { return FocusOf(seen.window) != nullptr; }, 2000);
    seen.focus = FocusOf(seen.window);
    seen.okButton = ::GetDlgItem(seen.window, frmAbout::kCmdOK);
    return seen;
}

void ExpectCentred(const RECT& r) {
    EXPECT_LE(std::abs((r.left + r.right) - ::GetSystemMetrics(SM_CXSCREEN)), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - ::GetSystemMetrics(SM_CYSCREEN)), 1);
}

TEST_F(Form1Test, AboutButtonOpensTheWindowModallyAndEnterClosesIt) {
    AboutSeen seen;
    std::thread user([&] {
        seen = WatchAbout(form.Handle());
        if (seen.focus) PostKey(seen.focus, VK_RETURN);
        if (seen.window && !PollUntil([&] { return !::IsWindow(seen.window); }, 3000)) {
            ::PostMessageW(seen.window, WM_CLOSE, 0, 0);  // do not leave the test's thread waiting
        }
    });
    ::SendMessageW(form.cmdAbout.Handle(), BM_CLICK, 0, 0);  // returns once the window has been unloaded
    user.join();

    ASSERT_NE(seen.window, nullptr);
    EXPECT_FALSE(::IsWindow(seen.window));
    EXPECT_EQ(seen.owner, form.Handle());
    EXPECT_TRUE(seen.mainDisabled) << "the main window takes no input meanwhile";
    EXPECT_EQ(seen.focus, seen.okButton) << "Enter closed it because the focus was on OK";
    ExpectCentred(seen.rect);
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(form.Timer1.Enabled()) << "the scan keeps running";
}

TEST_F(Form1Test, AboutFromTheTrayMenuIsTheSameWindowAndTheCloseBoxClosesIt) {
    AboutSeen fromButton;
    std::thread buttonUser([&] {
        fromButton = WatchAbout(form.Handle());
        ::PostMessageW(fromButton.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    form.cmdAbout_Click();
    buttonUser.join();
    ASSERT_NE(fromButton.window, nullptr);

    AboutSeen fromMenu;
    bool chose = false;
    bool notificationsHandled = true;
    bool stayedHidden = false;
    bool menuStayedShut = false;
    std::thread menuUser([&] {
        chose = ChooseFromOpenMenu(form.mnuPopUp.Handle(), Form1::kMnuAbout);
        if (!chose) return;
        fromMenu = WatchAbout(form.Handle());
        // Opened from the menu, the About window holds the notification being handled: the icon does nothing.
        DWORD_PTR ignored = 0;
        for (const UINT event : {WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
            notificationsHandled &= ::SendMessageTimeoutW(form.Picture1.Handle(), WM_MOUSEMOVE, 0, event,
                                                          SMTO_NORMAL, 3000, &ignored) != 0;
        }
        stayedHidden = !::IsWindowVisible(form.Handle());
        menuStayedShut = FindVisibleWindow(L"#32768") == nullptr;
        ::PostMessageW(fromMenu.window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    SendTrayEvent(WM_RBUTTONUP);
    menuUser.join();

    ASSERT_TRUE(chose);
    ASSERT_NE(fromMenu.window, nullptr);
    EXPECT_FALSE(::IsWindow(fromMenu.window)) << "the close box unloads it like OK";
    EXPECT_EQ(fromMenu.caption, fromButton.caption);
    EXPECT_EQ(fromMenu.rect.right - fromMenu.rect.left, fromButton.rect.right - fromButton.rect.left);
    EXPECT_EQ(fromMenu.rect.bottom - fromMenu.rect.top, fromButton.rect.bottom - fromButton.rect.top);
    ExpectCentred(fromMenu.rect);
    EXPECT_TRUE(notificationsHandled);
    EXPECT_TRUE(stayedHidden);
    EXPECT_TRUE(menuStayedShut);
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
}

}  // namespace
}  // namespace quellix::test
