// The About window: its layout and texts, its placement, and how it opens and closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/frm_about.h"
#include "platform/twips.h"
#include "support/form1_fixture.h"
#include "support/owner_form.h"
#include "support/quellix_process.h"

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

// How many lines the label's own text takes when drawn in its font and width.
int DrawnLineCount(HWND label) {
    wchar_t text[512]{};
    ::GetWindowTextW(label, text, 512);
    RECT needed{};
    ::GetClientRect(label, &needed);
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    return (needed.bottom - needed.top) / metrics.tmHeight;
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner.Load());
        ASSERT_TRUE(about.Load(owner.Handle()));
    }
    void TearDown() override { about.Unload(); }
    OwnerForm owner;  // the main window's place: it gives the window its icon
    frmAbout about;
};

TEST_F(AboutTest, WindowHasItsStoredLayoutAndRules) {
    EXPECT_FALSE(about.Caption().empty()) << "the maker's name";
    ExpectLayout(about.Handle(), 5550, 3600,
                 {{about.cmdOK.Handle(), nullptr, L"&OK", {4200, 3120, 1215, 360}, L"OK"},
                  {about.Label4.Handle(), nullptr, nullptr, {120, 0, 5415, 615}, about.Label4.Text().c_str()},
                  {about.Label3.Handle(), nullptr, nullptr, {3360, 1920, 2175, 1095}, about.Label3.Text().c_str()},
                  {about.Label2.Handle(), nullptr, nullptr, {120, 1920, 2535, 1455}, about.Label2.Text().c_str()}});
    EXPECT_EQ(::GetWindowLongW(about.cmdOK.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // Two rules across the window, two pixels thick at every DPI, painted in the window-text colour.
    for (const int dpi : {144, 96}) {
        SendDpiChanged(about.Handle(), dpi);
        const int width = TwipsToPixels(5520, dpi) - TwipsToPixels(120, dpi);
        EXPECT_EQ(PlacementOf(about.Line2.Handle()),
                  (Placement{TwipsToPixels(120, dpi), TwipsToPixels(720, dpi), width, 2}));
        EXPECT_EQ(PlacementOf(about.Line1.Handle()),
                  (Placement{TwipsToPixels(120, dpi), TwipsToPixels(1800, dpi), width, 2}));
    }
    about.Show();
    ::RedrawWindow(about.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC ruleDc = ::GetDC(about.Line2.Handle());
    EXPECT_EQ(::GetPixel(ruleDc, 100, 1), ::GetSysColor(COLOR_WINDOWTEXT));
    ::ReleaseDC(about.Line2.Handle(), ruleDc);
}

TEST_F(AboutTest, LabelsHoldLinesSeparatedByLoneCarriageReturnsAndShowThemAsLines) {
    const auto address = SplitAtCr(about.Label2.Caption());
    ASSERT_EQ(address.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(address[i].empty(), i == 3) << i;
    const auto telephone = SplitAtCr(about.Label3.Caption());
    ASSERT_EQ(telephone.size(), 2u);
    EXPECT_FALSE(telephone[0].empty() || telephone[1].empty());
    const auto title = SplitAtCr(about.Label4.Caption());
    ASSERT_EQ(title.size(), 3u);
    EXPECT_EQ(title[0], L"Vorel Quellix");
    EXPECT_TRUE(title[1].empty());
    EXPECT_FALSE(title[2].empty());

    EXPECT_EQ(about.Label4.Caption().find(L'\n'), std::wstring::npos) << "stored with lone CRs";
    // Shown with CR LF: a static control is only sure to break lines at a line feed.
    EXPECT_EQ(about.Label4.Text(), L"Vorel Quellix\r\n\r\n" + title[2]);
    EXPECT_EQ(DrawnLineCount(about.Label2.Handle()), 6);
    EXPECT_EQ(DrawnLineCount(about.Label3.Handle()), 2);
    EXPECT_EQ(DrawnLineCount(about.Label4.Handle()), 3);
}

TEST_F(AboutTest, IsCentredExactlyOnTheScreen) {
    about.Show();
    EXPECT_TRUE(IsCentred(about.Handle())) << "the exact centre, not 40 % of the free height";
}

TEST_F(Form1Test, AboutButtonOpensTheWindowModallyAndEnterClosesIt) {
    HWND about = nullptr, owner = nullptr;
    bool mainDisabled = false, centred = false, scanned = false, closedByEnter = false;
    files.keywords.Write("casino\r\n");
    // The click returns once the window has been unloaded.
    WhileUser([&] { ::SendMessageW(form.cmdAbout.Handle(), BM_CLICK, 0, 0); }, [&] {
        if (!(about = WaitForDialog(form.Handle()))) return;
        owner = ::GetWindow(about, GW_OWNER);
        mainDisabled = !::IsWindowEnabled(form.Handle());
        centred = IsCentred(about);
        const TestPopup popup(L"Free Casino Bonus");
        scanned = WaitUntil([&] { return popup.Closed(); });
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        PollFor([&] { return ::GetGUIThreadInfo(::GetWindowThreadProcessId(about, nullptr), &thread) &&
                             thread.hwndFocus == ::GetDlgItem(about, frmAbout::kCmdOK); });
        PressKeys(thread.hwndFocus ? thread.hwndFocus : about, {VK_RETURN});
        closedByEnter = PollFor([&] { return !::IsWindow(about); }, 3000);
        if (!closedByEnter) ::PostMessageW(about, WM_CLOSE, 0, 0);  // do not leave the test's thread waiting
    });

    ASSERT_NE(about, nullptr);
    EXPECT_EQ(owner, form.Handle());
    EXPECT_TRUE(mainDisabled) << "the main window takes no input meanwhile";
    EXPECT_TRUE(centred);
    EXPECT_TRUE(scanned) << "the scan closes a matching window while About is open";
    EXPECT_TRUE(closedByEnter) << "the focus is on OK";
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
    EXPECT_TRUE(form.Timer1.Enabled()) << "the scan keeps running";
}

TEST_F(Form1Test, AboutFromTheTrayMenuIsCentredTheCloseBoxClosesItAndTheIconWaits) {
    HWND about = nullptr;
    bool chose = false, centred = false, prompt = true, stayedHidden = false, menuStayedShut = false;
    WhileUser([&] { SendTrayEvent(WM_RBUTTONUP); }, [&] {
        if (!(chose = ChooseFromOpenMenu(kMenuAbout))) return;
        if (!(about = WaitForDialog(form.Handle()))) return;
        centred = IsCentred(about);
        // Opened from the menu, the About window holds the notification being handled: the icon does nothing.
        for (const UINT event : {WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
            prompt &= SendPromptly(form.Picture1.Handle(), WM_MOUSEMOVE, event);
        }
        stayedHidden = !Visible();
        menuStayedShut = FindTopLevel({.windowClass = kMenuClass}) == nullptr;
        ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
    });

    ASSERT_TRUE(chose);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(::IsWindow(about)) << "the close box unloads it like OK";
    EXPECT_TRUE(centred);
    EXPECT_TRUE(prompt);
    EXPECT_TRUE(stayedHidden);
    EXPECT_TRUE(menuStayedShut);
    EXPECT_TRUE(::IsWindowEnabled(form.Handle()));
}

}  // namespace
}  // namespace quellix::test
