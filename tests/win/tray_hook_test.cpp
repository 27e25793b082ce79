// The main window's subclass on a plain window whose own procedure records what reaches it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tray/main_window_hook.h"
#include "tray_test_support.h"

namespace quellix::test {
namespace {

struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

struct Recorder {
    std::vector<Received> messages;
    int Count(UINT msg) const {
        int n = 0;
        for (const Received& r : messages) n += r.msg == msg ? 1 : 0;
        return n;
    }
};

constexpr UINT kProbe = WM_APP + 17;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* recorder = reinterpret_cast<Recorder*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (recorder && (msg == kProbe || msg == WM_HOTKEY)) recorder->messages.push_back({msg, wParam, lParam});
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
                                   nullptr, nullptr, wc.hInstance, &recorder);
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
        PrevWindowProc = nullptr;
        HookInstalled = false;
    }

    Recorder recorder;
    HWND window = nullptr;
    LONG_PTR originalProc = 0;
};

TEST_F(HookTest, PassesEveryMessageOnUnchangedAndReturnsItsResult) {
    Hook();
    ASSERT_TRUE(HookInstalled);
    EXPECT_NE(::GetWindowLongPtrW(window, GWLP_WNDPROC), originalProc);

    EXPECT_EQ(::SendMessageW(window, kProbe, 7, 1000), 1021);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].wParam, 7u);
    EXPECT_EQ(recorder.messages[0].lParam, 1000);

    // Text crosses the ANSI subclass in both directions intact, as the scan reads the caption.
    char ansi[64]{};
    EXPECT_EQ(::SendMessageA(window, WM_GETTEXT, sizeof(ansi), reinterpret_cast<LPARAM>(ansi)), 13);
    EXPECT_STREQ(ansi, "Hooked window");
    ::SetWindowTextW(window, L"Renamed");
    wchar_t wide[64]{};
    ::GetWindowTextW(window, wide, 64);
    EXPECT_STREQ(wide, L"Renamed");
    EXPECT_FALSE(::IsWindowVisible(window)) << "no message but WM_HOTKEY shows the window";
}

TEST_F(HookTest, HotKeyShowsAndRaisesTheWindowAndStillReachesIt) {
    Hook();
    ::PostMessageW(window, WM_HOTKEY, 5, MAKELPARAM(MOD_CONTROL, 'Q'));
    ASSERT_TRUE(PumpUntil([&] { return recorder.Count(WM_HOTKEY) == 1; }));
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(recorder.messages.back().wParam, 5u);
    EXPECT_EQ(recorder.messages.back().lParam, MAKELPARAM(MOD_CONTROL, 'Q'));

    // Already visible but behind another window: brought to the front again.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"In front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetForegroundWindow(other);
    ::SendMessageW(window, WM_HOTKEY, 0, 0);
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(recorder.Count(WM_HOTKEY), 2);
    ::DestroyWindow(other);
}

TEST_F(HookTest, SecondHookChangesNothing) {
    Hook();
    const WNDPROC first = PrevWindowProc;
    const LONG_PTR installed = ::GetWindowLongPtrA(window, GWLP_WNDPROC);
    Hook();
    EXPECT_EQ(PrevWindowProc, first);
    EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_WNDPROC), installed);
    ::SendMessageW(window, kProbe, 1, 1);
    EXPECT_EQ(recorder.Count(kProbe), 1) << "each message reaches the window exactly once";
}

TEST_F(HookTest, UnhookRestoresTheProcedureAndHotKeyNoLongerShows) {
    Hook();
    Unhook();
    EXPECT_FALSE(HookInstalled);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), originalProc);
    ::SendMessageW(window, WM_HOTKEY, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(recorder.Count(WM_HOTKEY), 1);

    Hook();  // the load step of a later main window installs it again
    EXPECT_TRUE(HookInstalled);
    ::SendMessageW(window, WM_HOTKEY, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(window));
}

TEST_F(HookTest, FailedReplacementLeavesNoNullProcedureBehind) {
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(gone);
    MainWindowHandle = gone;
    Hook();
    EXPECT_FALSE(HookInstalled);
    EXPECT_EQ(PrevWindowProc, nullptr);

    // An Unhook that follows must not install the null procedure into a live window.
    MainWindowHandle = window;
    Unhook();
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(::SendMessageW(window, kProbe, 2, 3), 9);

    // And a message that reaches the subclass with no previous procedure gets the default answer, not a crash.
    EXPECT_EQ(WindowProc(window, WM_GETTEXTLENGTH, 0, 0), 13);
}

}  // namespace
}  // namespace quellix::test
