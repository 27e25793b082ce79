#include "latency_bench.h"

#include <random>
#include <vector>

#include "bench_clock.h"
#include "bench_program.h"
#include "support/wait.h"
#include "window_host.h"

namespace quellix::bench {
namespace {

constexpr UINT kGiveUpMs = 3000;

struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::UnhookWindowsHookEx(h); }
};

// What a hook sees of a message box's own loop: when it took its first message (the box is up) and its WM_CLOSE.
struct BoxWatch {
    std::int64_t looping = 0;
    std::int64_t closeArrived = 0;
    DWORD closePosted = 0;  // the WM_CLOSE's message time
};
// The hook has no context of ours, so the thread's watch is reached through this thread's own pointer.
thread_local BoxWatch* t_boxWatch = nullptr;

LRESULT CALLBACK OnGetMessage(int code, WPARAM removed, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (BoxWatch* watch = t_boxWatch; watch && code == HC_ACTION && removed == PM_REMOVE) {
        if (watch->looping == 0) watch->looping = Now();
        if (msg->message == WM_CLOSE && watch->closeArrived == 0) {
            watch->closeArrived = Now();
            watch->closePosted = msg->time;
        }
    }
    return ::CallNextHookEx(nullptr, code, removed, lParam);
}

BOOL CALLBACK CancelWindow(HWND hwnd, LPARAM) {
    ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// A box nobody closed is cancelled, so the run goes on.
void CALLBACK GiveUpOnBox(HWND, UINT, UINT_PTR, DWORD) {
    ::EnumThreadWindows(::GetCurrentThreadId(), CancelWindow, 0);
}

BoxWatch MessageBoxClosed(const std::wstring& title, std::int64_t& created) {
    BoxWatch watch;
    t_boxWatch = &watch;
    const UniqueHandle<HookTraits> hook(
        ::SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, ::GetCurrentThreadId()));
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kGiveUpMs, GiveUpOnBox);
    created = Now();
    ::MessageBoxW(nullptr, L"A limited offer, only today.", title.c_str(), MB_OKCANCEL);
    ::KillTimer(nullptr, timer);
    t_boxWatch = nullptr;
    return watch;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog template in memory: no controls, no font, the given caption; DWORD-aligned as the system wants it.
std::vector<DWORD> DialogTemplate(const std::wstring& title) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    dialog->cx = 160;
    dialog->cy = 60;
    words.push_back(0);  // no menu
    words.push_back(0);  // the dialog class
    words.insert(words.end(), title.begin(), title.end());
    words.push_back(0);
    std::vector<DWORD> aligned((words.size() + 1) / 2, 0);
    std::copy(words.begin(), words.end(), reinterpret_cast<WORD*>(aligned.data()));
    return aligned;
}

}  // namespace

Program ReleasedProgram() { return {"quellix.exe, doorbell", test::QuellixExePath(), L""}; }

Program BenchProgram(const char* label, const wchar_t* argument) {
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\') + 1);
    return {label, path + kBenchProgramExe, argument};
}

test::QuellixProcess Start(const Program& program, const std::string& keywordFileBytes) {
    return test::QuellixProcess(keywordFileBytes, L"quellix-bench", program.exe, program.arguments);
}

std::optional<MSG> ServeUntil(const std::function<bool(const MSG&)>& wanted, UINT timeoutMs) {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, timeoutMs, nullptr);
    std::optional<MSG> found;
    MSG msg;
    while (!found && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) break;
        if (wanted(msg)) found = msg;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, timer);
    return found;
}

std::int64_t WaitForCloseRequest(HWND window, UINT timeoutMs, DWORD* postedTick) {
    std::int64_t arrived = 0;
    ServeUntil(
        [&](const MSG& msg) {
            if (msg.message != WM_CLOSE || msg.hwnd != window) return false;
            arrived = Now();
            if (postedTick) *postedTick = msg.time;
            return true;
        },
        timeoutMs);
    return arrived;
}

const char* KindName(PopupKind kind) {
    switch (kind) {
    case PopupKind::kPlain: return "plain window";
    case PopupKind::kMessageBox: return "message box";
    default: return "dialog (#32770)";
    }
}

std::string LatencyPopupTitle(const std::string& matchingWord, int index) {
    return "Special " + matchingWord + " offer no. " + std::to_string(index);
}

std::optional<PopupTimes> CloseOnePopup(PopupKind kind, const std::string& title) {
    const std::wstring wideTitle(title.begin(), title.end());
    std::int64_t created = Now();
    const DWORD createdTick = ::GetTickCount();  // the clock of message times
    std::int64_t ready = 0;
    std::int64_t closed = 0;
    DWORD postedTick = 0;
    if (kind == PopupKind::kPlain) {
        const test::TestPopup popup(wideTitle);
        ready = Now();
        closed = WaitForCloseRequest(popup.Handle(), kGiveUpMs, &postedTick);
    } else if (kind == PopupKind::kDialog) {
        const std::vector<DWORD> dialogTemplate = DialogTemplate(wideTitle);
        const OwnedWindow dialog(::CreateDialogIndirectParamW(
            ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr,
            PlainDialogProc, 0));
        ready = Now();
        closed = WaitForCloseRequest(dialog.get(), kGiveUpMs, &postedTick);
    } else {
        const BoxWatch watch = MessageBoxClosed(wideTitle, created);
        ready = watch.looping;
        closed = watch.closeArrived;
        postedTick = watch.closePosted;
    }
    if (closed == 0) return std::nullopt;
    return PopupTimes{ElapsedMs(created, closed), ElapsedMs(created, ready),
                      static_cast<double>(static_cast<LONG>(postedTick - createdTick))};
}

ProgramLatency MeasureCloseLatency(const Program& program, const std::string& keywordFileBytes,
                                   const std::string& matchingWord, int popups) {
    ProgramLatency figures;
    test::QuellixProcess quellix = Start(program, keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(500);  // past its start-up

    std::mt19937 random(7);
    // Longer than one tick, so the windows appear at every point of the scan's cycle rather than
    // at a fixed distance behind the tick that closed the one before.
    std::uniform_int_distribution<int> pauseMs(0, 150);
    std::array<std::vector<double>, kPopupKinds.size()> latencies, creations, asked;
    for (int i = 0; i < popups * static_cast<int>(kPopupKinds.size()); ++i) {
        const std::size_t kind = static_cast<std::size_t>(i) % kPopupKinds.size();
        const std::optional<PopupTimes> ms = CloseOnePopup(kPopupKinds[kind], LatencyPopupTitle(matchingWord, i));
        if (ms) {
            latencies[kind].push_back(ms->closed);
            creations[kind].push_back(ms->created);
            asked[kind].push_back(ms->asked);
        } else {
            ++figures.kinds[kind].missed;
        }
        test::PumpFor(static_cast<DWORD>(pauseMs(random)));
    }
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        LatencyFigures& f = figures.kinds[kind];
        f.popups = popups;
        f.median = Median(latencies[kind]);
        f.p95 = Percentile(latencies[kind], 95);
        f.min = Percentile(latencies[kind], 0);
        f.max = Percentile(latencies[kind], 100);
        f.creation = Median(creations[kind]);
        f.askedMedian = Median(asked[kind]);
        f.askedP95 = Percentile(asked[kind], 95);
    }
    return figures;
}

}  // namespace quellix::bench
