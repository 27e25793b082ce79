#include "window_host.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "bench_texts.h"
#include "message_wait.h"
#include "support/quellix_process.h"
#include "support/wait.h"
#include "title_ticker.h"

namespace quellix::bench {
namespace {

constexpr char kHostWindowClass[] = "QuellixBenchHostWindow";
constexpr UINT kStartStorm = WM_APP + 40;  // to the host's thread: wParam ms, lParam the reply thread
constexpr UINT kStartTicker = WM_APP + 44;  // to the host's thread: wParam retitles a second, lParam the reply thread
constexpr UINT kTickerStarted = WM_APP + 45;  // the reply: wParam the ticking window
constexpr UINT kStopTicker = WM_APP + 46;  // to the host's thread: lParam the reply thread
constexpr UINT kTickerStopped = WM_APP + 47;  // the reply: wParam the retitles, lParam the milliseconds they took
constexpr UINT kReplyTimeoutMs = 5000;

struct WindowCount {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountProcessWindowsProc(HWND hwnd, LPARAM lParam) {
    auto& query = *reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == query.pid && ::GetWindowTextLengthW(hwnd) > 0) ++query.count;
    return TRUE;
}

int TitledWindowsOf(DWORD pid) {
    WindowCount query{pid, 0};
    ::EnumWindows(CountProcessWindowsProc, reinterpret_cast<LPARAM>(&query));
    return query.count;
}

// Announces a retitle of `window` as fast as the system takes it, without changing the title; returns how often.
WPARAM RunStorm(HWND window, DWORD ms) {
    WPARAM sent = 0;
    const std::int64_t start = Now();
    while (ElapsedMs(start, Now()) < ms) {
        for (int i = 0; i < 64; ++i) ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_WINDOW, CHILDID_SELF);
        sent += 64;
    }
    return sent;
}

bool CreateHostWindows(const HostDesktop& desktop, std::vector<OwnedWindow>& windows) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const int total = desktop.hidden + desktop.visible + desktop.untitled;
    windows.reserve(static_cast<std::size_t>(total));
    for (int i = 0; i < total; ++i) {
        // The shown ones first, so that a storm has one at hand.
        const bool shown = i < desktop.visible;
        const std::string title = i < desktop.visible + desktop.hidden ? WindowTitle(i) : std::string();
        windows.emplace_back(::CreateWindowExA(0, kHostWindowClass, title.c_str(),
                                               WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0), 20 + i % 40 * 10,
                                               20 + i % 40 * 10, 200, 100, nullptr, nullptr, instance, nullptr));
        if (!windows.back()) return false;
    }
    return true;
}

// The benchmark's requests to the host's thread; false for any other message. `busy` is the window that storms and
// ticks: the first one, shown where any is.
bool HostCommand(const MSG& msg, HWND busy, TitleTicker& ticker) {
    if (msg.hwnd != nullptr) return false;
    const auto replyTo = static_cast<DWORD>(msg.lParam);
    switch (msg.message) {
    case kStartStorm:
        ::PostThreadMessageW(replyTo, kStormDone, RunStorm(busy, static_cast<DWORD>(msg.wParam)), 0);
        return true;
    case kStartTicker:
        ticker.Start(busy, static_cast<int>(msg.wParam));
        ::PostThreadMessageW(replyTo, kTickerStarted, reinterpret_cast<WPARAM>(busy), 0);
        return true;
    case kStopTicker:
        ticker.Stop();
        ::PostThreadMessageW(replyTo, kTickerStopped, static_cast<WPARAM>(ticker.Retitles()),
                             static_cast<LPARAM>(ticker.Seconds() * 1000.0));
        return true;
    default: return false;
    }
}

// Serves the windows, and storms or ticks when asked, until WM_QUIT. The wait ends in time for the ticker's next
// retitle.
int ServeHostWindows(HWND busy) {
    TitleTicker ticker;
    for (;;) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ticker.Wait(), QS_ALLINPUT);
        ticker.RetitleIfDue();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            if (HostCommand(msg, busy, ticker)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

}  // namespace

WindowHost::WindowHost(const HostDesktop& desktop) {
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --host " + std::to_wstring(desktop.hidden) + L" " +
                               std::to_wstring(desktop.visible) + L" " + std::to_wstring(desktop.untitled);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return;
    }
    process_.reset(info.hProcess);
    KernelHandle thread(info.hThread);
    threadId_ = info.dwThreadId;
    const int titled = desktop.hidden + desktop.visible;
    ready_ = test::WaitUntil([&] { return TitledWindowsOf(info.dwProcessId) >= titled; }, 60000);
}

WindowHost::~WindowHost() {
    if (!process_) return;
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process_.get(), 1);
}

void WindowHost::Storm(DWORD ms, DWORD replyThread) const {
    ::PostThreadMessageW(threadId_, kStartStorm, ms, static_cast<LPARAM>(replyThread));
}

HWND WindowHost::StartTicker(int perSecond) const {
    ::PostThreadMessageW(threadId_, kStartTicker, static_cast<WPARAM>(perSecond),
                         static_cast<LPARAM>(::GetCurrentThreadId()));
    const auto reply =
        ServeUntil([](const MSG& msg) { return IsThreadMessage(msg, kTickerStarted); }, kReplyTimeoutMs);
    return reply ? reinterpret_cast<HWND>(reply->wParam) : nullptr;
}

std::optional<WindowHost::TickerRun> WindowHost::StopTicker() const {
    ::PostThreadMessageW(threadId_, kStopTicker, 0, static_cast<LPARAM>(::GetCurrentThreadId()));
    const auto reply =
        ServeUntil([](const MSG& msg) { return IsThreadMessage(msg, kTickerStopped); }, kReplyTimeoutMs);
    if (!reply) return std::nullopt;
    return TickerRun{static_cast<long>(reply->wParam), static_cast<double>(reply->lParam) / 1000.0};
}

int RunWindowHost(int argc, char** argv) {
    if (argc < 3) return 2;
    const HostDesktop desktop{std::atoi(argv[0]), std::atoi(argv[1]), std::atoi(argv[2])};
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kHostWindowClass;
    if (!::RegisterClassExA(&wc)) return 1;
    std::vector<OwnedWindow> windows;
    if (!CreateHostWindows(desktop, windows) || windows.empty()) return 1;
    return ServeHostWindows(windows.front().get());
}

}  // namespace quellix::bench
