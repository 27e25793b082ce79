#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "win/test_files.h"

namespace quellix {
namespace {

RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[128]{};
    ::GetWindowTextW(hwnd, text, 128);
    return text;
}

std::vector<std::wstring> Items(const ListBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

void PressKey(HWND target, WPARAM key) {
    MSG msg{target, WM_KEYDOWN, key, 1, 0, {}};
    DispatchUiMessage(msg);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form_.Load()); }
    TempFile keywords_{L"values.zap"};
    Form1 form_;
};

TEST_F(MainWindowTest, LayoutMatchesTheStoredTwipsAtTheScreenResolution) {
    struct Expected {
        HWND control;
        const wchar_t* caption;
        int left, top, width, height;
    };
    const Expected controls[] = {
        {form_.SSTab1.Handle(), nullptr, 0, 0, 4095, 3135},
        {form_.lstKeyword.Handle(), nullptr, 120, 480, 3855, 2400},
        {form_.cmdEdit.Handle(), L"&Edit", 4200, 1560, 1215, 360},
        {form_.cmdDelete.Handle(), L"&Delete", 4200, 960, 1215, 360},
        {form_.cmdAdd.Handle(), L"&Add", 4200, 360, 1215, 360},
        {form_.cmdAbout.Handle(), L"A&bout", 4200, 2160, 1215, 360},
        {form_.Picture1.Handle(), nullptr, 2760, 2760, 375, 255},
        {form_.Command1.Handle(), L"&Hide", 4200, 2760, 1215, 360},
    };
    for (const Expected& e : controls) {
        const RECT r = ChildRect(e.control);
        EXPECT_EQ(r.left, TwipsToPixels(e.left)) << TextOf(e.control);
        EXPECT_EQ(r.top, TwipsToPixels(e.top)) << TextOf(e.control);
        EXPECT_EQ(r.right - r.left, TwipsToPixels(e.width)) << TextOf(e.control);
        EXPECT_EQ(r.bottom - r.top, TwipsToPixels(e.height)) << TextOf(e.control);
        if (e.caption) {
            EXPECT_EQ(TextOf(e.control), e.caption);
        }
    }
    RECT client{};
    ::GetClientRect(form_.Handle(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(5550));
    EXPECT_EQ(client.bottom, TwipsToPixels(3315));
}

TEST_F(MainWindowTest, WindowStartsHiddenWithItsFrameTabAndTimer) {
    EXPECT_EQ(TextOf(form_.Handle()), L"Quellix");
    EXPECT_FALSE(::IsWindowVisible(form_.Handle())) << "the load step hides the window";
    const LONG style = ::GetWindowLongW(form_.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(::GetMenu(form_.Handle()), nullptr) << "no menu bar";
    EXPECT_FALSE(::GetWindowLongW(form_.Picture1.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(::GetWindowLongW(form_.Command1.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::SendMessageW(form_.SSTab1.Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    wchar_t tab[32]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 32;
    ::SendMessageW(form_.SSTab1.Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"Keyword");
    EXPECT_TRUE(form_.Timer1.Enabled());
    EXPECT_EQ(form_.Timer1.Interval(), 100u);
}

TEST_F(MainWindowTest, ActivationFillsTheListFromTheFile) {
    struct Case {
        const char* file;  // nullptr: no keyword file
        std::vector<std::wstring> items;
    };
    const Case cases[] = {
        {nullptr, {}},
        {"", {}},
        {"Casino\r\nPoker\r\n", {L"Casino", L"Poker"}},
        {"Casino, Poker\r\n", {L"Casino", L"Poker"}},
        {"a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
        {"a,,b\r\n", {L"a", L"", L"b"}},
        {"same\r\nsame\r\n", {L"same", L"same"}},
        {"\r\n", {L""}},
    };
    for (const Case& c : cases) {
        if (c.file) {
            keywords_.Write(c.file);
        } else {
            keywords_.Remove();
        }
        form_.lstKeyword.AddItem(L"stale");
        form_.lstKeyword.SetListIndex(0);
        form_.Timer1.SetEnabled(false);
        form_.LoadKeywords();
        EXPECT_EQ(Items(form_.lstKeyword), c.items) << (c.file ? c.file : "<no file>");
        EXPECT_EQ(form_.cmdDelete.Enabled(), !c.items.empty()) << "Delete is enabled exactly when there is an entry";
        EXPECT_EQ(form_.lstKeyword.ListIndex(), -1);
        EXPECT_TRUE(form_.Timer1.Enabled()) << "the scan runs again after a load";
        EXPECT_EQ(keywords_.Exists(), c.file != nullptr) << "loading never creates the file";
    }
}

TEST_F(MainWindowTest, KeyboardFollowsTheStoredTabOrderAndEnterHides) {
    keywords_.Write("casino\r\n");
    form_.Show();
    ASSERT_TRUE(::IsWindowVisible(form_.Handle()));
    EXPECT_EQ(Items(form_.lstKeyword), std::vector<std::wstring>{L"casino"}) << "showing reloads the list";
    EXPECT_EQ(::GetFocus(), form_.Command1.Handle()) << "the focus starts on Hide";

    const HWND order[] = {form_.cmdAbout.Handle(), form_.cmdAdd.Handle(), form_.cmdDelete.Handle(),
                          form_.cmdEdit.Handle(),  form_.SSTab1.Handle(), form_.lstKeyword.Handle(),
                          form_.Command1.Handle()};
    for (HWND expected : order) {
        PressKey(::GetFocus(), VK_TAB);
        EXPECT_EQ(::GetFocus(), expected) << TextOf(expected);
    }
    PressKey(::GetFocus(), VK_TAB);  // to About
    PressKey(::GetFocus(), VK_TAB);  // to Add
    ::SetFocus(form_.lstKeyword.Handle());
    PressKey(form_.lstKeyword.Handle(), VK_ESCAPE);
    EXPECT_TRUE(::IsWindowVisible(form_.Handle())) << "Escape does nothing";
    PressKey(form_.lstKeyword.Handle(), VK_RETURN);
    EXPECT_FALSE(::IsWindowVisible(form_.Handle())) << "Enter in the list presses the default Hide";
}

}  // namespace
}  // namespace quellix
