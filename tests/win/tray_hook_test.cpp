// The main window's subclass on a plain window whose own procedure records what reaches it.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tray/main_window_hook.h"
#include "support/form1_fixture.h"
#include "support/quellix_process.h"

namespace quellix::test {
namespace {

constexpr UINT kProbe = WM_APP + 17;

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* received = reinterpret_cast<std::vector<Received>*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (received && (msg == kProbe || msg == WM_HOTKEY)) received->push_back({msg, wParam, lParam});
    if (msg == kProbe) return static_cast<LRESULT>(wParam * 3 + static_cast<WPARAM>(lParam));
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

class HookTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &RecordingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuellixHookTestWindow";
        ::RegisterClassExW(&wc);  // already registered by an earlier test: fine
        window = ::CreateWindowExW(0, wc.lpszClassName, L"Hooked window", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                   nullptr, nullptr, wc.hInstance, &received);
        ASSERT_NE(window, nullptr);
        originalProc = ::GetWindowLongPtrW(window, GWLP_WNDPROC);
        MainWindowHandle = window;
        PrevWindowProc = nullptr;
        HookInstalled = false;
    }
    void TearDown() override {
        Unhook();
        ::DestroyWindow(window);
        MainWindowHandle = nullptr;
    }
    bool Visible() const { return ::IsWindowVisible(window) != FALSE; }

    std::vector<Received> received;
    HWND window = nullptr;
    LONG_PTR originalProc = 0;
};

TEST_F(HookTest, PassesEveryMessageOnUnchangedAndReturnsItsResult) {
    Hook();
    ASSERT_TRUE(HookInstalled);
    EXPECT_EQ(::SendMessageW(window, kProbe, 7, 1000), 1021);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 7u);
    EXPECT_EQ(received[0].lParam, 1000);

    // Text crosses the ANSI subclass intact both ways, as the scan reads the caption.
    char ansi[64]{};
    EXPECT_EQ(::SendMessageA(window, WM_GETTEXT, sizeof(ansi), reinterpret_cast<LPARAM>(ansi)), 13);
    EXPECT_STREQ(ansi, "Hooked window");
    ::SetWindowTextW(window, L"Renamed");
    wchar_t wide[64]{};
    ::GetWindowTextW(window, wide, 64);
    EXPECT_STREQ(wide, L"Renamed");
    EXPECT_FALSE(Visible()) << "no message but WM_HOTKEY shows the window";

    const WNDPROC first = PrevWindowProc;
    Hook();  // a second Hook is a no-op: each message still reaches the window exactly once
    EXPECT_EQ(PrevWindowProc, first);
    ::SendMessageW(window, kProbe, 1, 1);
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(HookTest, HotKeyShowsAndRaisesTheWindowAndStillReachesIt) {
    Hook();
    ::PostMessageW(window, WM_HOTKEY, 5, MAKELPARAM(MOD_CONTROL, 'Q'));
    ASSERT_TRUE(WaitUntil([&] { return !received.empty(); }, kGenerous, Pump::Forms));
    EXPECT_TRUE(Visible());
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(received[0].msg, static_cast<UINT>(WM_HOTKEY));
    EXPECT_EQ(received[0].wParam, 5u);
    EXPECT_EQ(received[0].lParam, MAKELPARAM(MOD_CONTROL, 'Q'));

    const HWND other = ::CreateWindowExW(0, L"STATIC", L"In front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                         nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ::SendMessageW(window, WM_HOTKEY, 0, 0);
    EXPECT_EQ(::GetForegroundWindow(), window) << "already visible: brought to the front again";
    ::DestroyWindow(other);
}

TEST_F(HookTest, UnhookRestoresTheProcedureAndHotKeyNoLongerShows) {
    Hook();
    Unhook();
    EXPECT_FALSE(HookInstalled);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), originalProc);
    ::SendMessageW(window, WM_HOTKEY, 0, 0);
    EXPECT_FALSE(Visible());
    EXPECT_EQ(received.size(), 1u);
}

TEST_F(HookTest, FailedReplacementLeavesNoNullProcedureBehind) {
    const HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    MainWindowHandle = gone;
    Hook();
    EXPECT_FALSE(HookInstalled);
    EXPECT_EQ(PrevWindowProc, nullptr);

    // An Unhook that follows must not put the null procedure into a live window.
    MainWindowHandle = window;
    Unhook();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(::SendMessageW(window, kProbe, 2, 3), 9);
    // A message reaching the subclass with no previous procedure gets the default answer, not a crash.
    EXPECT_EQ(WindowProc(window, WM_GETTEXTLENGTH, 0, 0), 13);
}

}  // namespace
}  // namespace quellix::test
