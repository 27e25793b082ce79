#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/form1_fixture.h"

namespace quellix::test {
namespace {

std::vector<std::wstring> Items(const ListBox& list) {
    std::vector<std::wstring> items;
    for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
    return items;
}

TEST_F(Form1Test, LayoutMatchesTheStoredTwipsAtEachDpi) {
    ExpectLayout(form.Handle(), 5550, 3315,
                 {{form.SSTab1.Handle(), nullptr, nullptr, {0, 0, 4095, 3135}, L"Keyword"},
                  {form.lstKeyword.Handle(), nullptr, nullptr, {120, 480, 3855, 2400}, L"Keyword"},
                  {form.cmdEdit.Handle(), nullptr, L"&Edit", {4200, 1560, 1215, 360}, L"Edit"},
                  {form.cmdDelete.Handle(), nullptr, L"&Delete", {4200, 960, 1215, 360}, L"Delete"},
                  {form.cmdAdd.Handle(), nullptr, L"&Add", {4200, 360, 1215, 360}, L"Add"},
                  {form.cmdAbout.Handle(), nullptr, L"A&bout", {4200, 2160, 1215, 360}, L"About"},
                  {form.Picture1.Handle(), nullptr, nullptr, {2760, 2760, 375, 255}},
                  {form.Command1.Handle(), nullptr, L"&Hide", {4200, 2760, 1215, 360}, L"Hide"}});
}

// Every form of the program takes its frame from one place: checked here, once.
TEST_F(Form1Test, WindowStartsHiddenWithItsFrameTabAndTimer) {
    EXPECT_EQ(WindowText(form.Handle()), L"Quellix");
    EXPECT_FALSE(::IsWindowVisible(form.Handle())) << "the load step hides the window";
    const LONG style = ::GetWindowLongW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(::GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW) << "a taskbar button of its own";
    EXPECT_EQ(::GetMenu(form.Handle()), nullptr) << "no menu bar";
    EXPECT_FALSE(::GetWindowLongW(form.Picture1.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(::GetWindowLongW(form.Command1.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::SendMessageW(form.SSTab1.Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    wchar_t tab[32]{};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = 32;
    ::SendMessageW(form.SSTab1.Handle(), TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(tab, L"Keyword");

    // The scan's timer runs at its pace: its ticks reach the window's queue (taken, not handled, here).
    const auto nextTick = [&] {
        MSG tick{};
        return WaitUntil([&] { return ::PeekMessageW(&tick, form.Handle(), WM_TIMER, WM_TIMER, PM_REMOVE) &&
                                      tick.wParam == Form1::kTimer1; },
                         kGenerous, Pump::None);
    };
    ASSERT_TRUE(nextTick());
    const DWORD start = ::GetTickCount();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(nextTick());
    EXPECT_LT(::GetTickCount() - start, 3000u) << "three ticks of 100 ms, with room for a loaded machine";
}

// Every showing activates the window, and activation rebuilds the list from the file (how the file is cut into
// entries is the keyword store's own test).
TEST_F(Form1Test, ActivationFillsTheListFromTheFile) {
    const struct {
        const char* file;  // nullptr: no keyword file
        std::vector<std::wstring> items;
    } cases[] = {
        {nullptr, {}},
        {"Casino\r\nPoker\r\n", {L"Casino", L"Poker"}},
        {"\r\n", {L""}},
    };
    for (const auto& c : cases) {
        files.keywords.WriteOrRemove(c.file);
        form.lstKeyword.AddItem(L"stale");
        form.lstKeyword.SetListIndex(0);
        form.Timer1.SetEnabled(false);
        form.Show();
        EXPECT_EQ(Items(form.lstKeyword), c.items) << (c.file ? c.file : "<no file>");
        EXPECT_EQ(form.cmdDelete.Enabled(), !c.items.empty()) << "Delete is enabled exactly when there is an entry";
        EXPECT_EQ(form.lstKeyword.ListIndex(), -1);
        EXPECT_TRUE(form.Timer1.Enabled()) << "the scan runs again after a load";
        form.Hide();
    }
}

TEST_F(Form1Test, KeyboardFollowsTheStoredTabOrderAndEnterHides) {
    files.keywords.Write("casino\r\n");
    form.Show();
    ASSERT_TRUE(::IsWindowVisible(form.Handle()));
    EXPECT_EQ(Items(form.lstKeyword), std::vector<std::wstring>{L"casino"}) << "showing reloads the list";
    EXPECT_EQ(::GetFocus(), form.Command1.Handle()) << "the focus starts on Hide";

    const HWND order[] = {form.cmdAbout.Handle(), form.cmdAdd.Handle(), form.cmdDelete.Handle(),
                          form.cmdEdit.Handle(),  form.SSTab1.Handle(), form.lstKeyword.Handle(),
                          form.Command1.Handle()};
    // Each key handled at once, as the program's loop handles it.
    const auto press = [](HWND target, WPARAM key) {
        PressKeys(target, {key});
        PumpFor(0, Pump::Forms);
    };
    for (HWND expected : order) {
        press(::GetFocus(), VK_TAB);
        EXPECT_EQ(::GetFocus(), expected) << WindowText(expected);
    }
    press(::GetFocus(), VK_TAB);  // to About
    press(::GetFocus(), VK_TAB);  // to Add
    ::SetFocus(form.lstKeyword.Handle());
    press(form.lstKeyword.Handle(), VK_ESCAPE);
    EXPECT_TRUE(::IsWindowVisible(form.Handle())) << "Escape does nothing";
    press(form.lstKeyword.Handle(), VK_RETURN);
    EXPECT_FALSE(::IsWindowVisible(form.Handle())) << "Enter in the list presses the default Hide";
}

// As in every Windows dialog, the focused push button looks like the default one; elsewhere Hide does.
TEST_F(Form1Test, TheDefaultLookFollowsTheFocus) {
    const auto looksDefault = [](const Button& button) {
        return (::GetWindowLongW(button.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    };
    form.Show();
    ::SetFocus(form.cmdAdd.Handle());
    PumpFor(0, Pump::Forms);  // the look follows once the focus has settled
    EXPECT_TRUE(looksDefault(form.cmdAdd));
    EXPECT_FALSE(looksDefault(form.Command1));
    ::SetFocus(form.lstKeyword.Handle());
    PumpFor(0, Pump::Forms);
    EXPECT_FALSE(looksDefault(form.cmdAdd));
    EXPECT_TRUE(looksDefault(form.Command1));
}

}  // namespace
}  // namespace quellix::test
