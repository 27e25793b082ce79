#include "latency_bench.h"

#include <random>
#include <vector>

#include "bench_clock.h"
#include "message_wait.h"
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

// When this thread's first top-level window was shown, seen from both sides of the change: ShowWindow sends it
// WM_SHOWWINDOW just before the system sets its WS_VISIBLE, and the system sends it WM_WINDOWPOSCHANGED with
// SWP_SHOWWINDOW once that is done (under Wine, once the window is on the X display too). Other programs see it
// shown from a moment in between. A window shown by SetWindowPos alone gets no WM_SHOWWINDOW: there both are one.
class ShowWatch {
public:
    ShowWatch() : hook_(::SetWindowsHookExW(WH_CALLWNDPROC, OnCallWndProc, nullptr, ::GetCurrentThreadId())) {
        t_watch = this;
    }
    ~ShowWatch() { t_watch = nullptr; }
    ShowWatch(const ShowWatch&) = delete;
    ShowWatch& operator=(const ShowWatch&) = delete;

    struct Moment {
        std::int64_t at = 0;  // Now()
        DWORD tick = 0;       // GetTickCount(), the clock of message times
        bool Taken() const { return at != 0; }
        void Take() {
            at = Now();
            tick = ::GetTickCount();
        }
    };
    Moment begun;  // WM_SHOWWINDOW
    Moment done;   // WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW

private:
    void Heard(const CWPSTRUCT& sent) {
        if (done.Taken() || (::GetWindowLongW(sent.hwnd, GWL_STYLE) & WS_CHILD)) return;
        if (sent.message == WM_SHOWWINDOW && sent.wParam && !begun.Taken()) begun.Take();
        if (sent.message == WM_WINDOWPOSCHANGED &&
            (reinterpret_cast<const WINDOWPOS*>(sent.lParam)->flags & SWP_SHOWWINDOW)) {
            done.Take();
            if (!begun.Taken()) begun = done;
        }
    }
    static LRESULT CALLBACK OnCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
        if (ShowWatch* watch = t_watch; watch && code == HC_ACTION) {
            watch->Heard(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static thread_local ShowWatch* t_watch;
    UniqueHandle<HookTraits> hook_;
};
thread_local ShowWatch* ShowWatch::t_watch = nullptr;

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

// Whole milliseconds between two GetTickCount() readings (a message's time is one), across a wrap too.
double TicksBetween(DWORD from, DWORD to) { return static_cast<double>(static_cast<LONG>(to - from)); }

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

// The samples of one kind of window.
struct SamplesOfKind {
    std::vector<double> closed, created, asked, shownAsked, shownTaken, doneAsked;
    int missed = 0;

    void Add(const std::optional<PopupTimes>& times) {
        if (!times) {
            ++missed;
            return;
        }
        closed.push_back(times->closed);
        created.push_back(times->created);
        asked.push_back(times->asked);
        if (const std::optional<ShownTimes>& shown = times->shown) {
            shownAsked.push_back(shown->asked);
            shownTaken.push_back(shown->taken);
            doneAsked.push_back(shown->askedAfterDone);
        }
    }

    LatencyFigures Figures() const {
        LatencyFigures f;
        f.popups = static_cast<int>(closed.size()) + missed;
        f.missed = missed;
        f.median = Median(closed);
        f.p95 = Percentile(closed, 95);
        f.min = Percentile(closed, 0);
        f.max = Percentile(closed, 100);
        f.creation = Median(created);
        f.askedMedian = Median(asked);
        f.askedP95 = Percentile(asked, 95);
        f.shownSeen = static_cast<int>(shownAsked.size());
        f.shownAskedMedian = Median(shownAsked);
        f.shownAskedP95 = Percentile(shownAsked, 95);
        f.shownAskedMax = Percentile(shownAsked, 100);
        f.shownTakenMedian = Median(shownTaken);
        f.shownTakenP95 = Percentile(shownTaken, 95);
        f.doneAskedMedian = Median(doneAsked);
        f.doneAskedP95 = Percentile(doneAsked, 95);
        return f;
    }
};

using KindSamples = std::array<SamplesOfKind, kPopupKinds.size()>;

// The program started anew; `popups` windows of each kind, kinds taking turns, each after the previous one closed
// and a random pause. False when it did not start.
bool RunRound(const Program& program, const std::string& keywordFileBytes, const std::string& matchingWord,
              int popups, std::mt19937& random, KindSamples& samples, int& index) {
    test::QuellixProcess quellix = Start(program, keywordFileBytes);
    if (!quellix.Started()) return false;
    test::PumpFor(500);  // past its start-up
    // Longer than one tick, so the windows appear at every point of the scan's cycle rather than
    // at a fixed distance behind the tick that closed the one before.
    std::uniform_int_distribution<int> pauseMs(0, 150);
    for (int i = 0; i < popups * static_cast<int>(kPopupKinds.size()); ++i) {
        const std::size_t kind = static_cast<std::size_t>(i) % kPopupKinds.size();
        samples[kind].Add(CloseOnePopup(kPopupKinds[kind], LatencyPopupTitle(matchingWord, index++)));
        test::PumpFor(static_cast<DWORD>(pauseMs(random)));
    }
    return true;
}

}  // namespace

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
    const ShowWatch show;
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
    PopupTimes times;
    times.closed = ElapsedMs(created, closed);
    times.created = ElapsedMs(created, ready);
    times.asked = TicksBetween(createdTick, postedTick);
    if (show.done.Taken()) {
        times.shown = ShownTimes{TicksBetween(show.begun.tick, postedTick), ElapsedMs(show.begun.at, closed),
                                 TicksBetween(show.done.tick, postedTick)};
    }
    return times;
}

std::vector<ProgramLatency> MeasureCloseLatency(const std::vector<Program>& programs,
                                                const std::string& keywordFileBytes, const std::string& matchingWord,
                                                int popups, int rounds) {
    std::vector<KindSamples> samples(programs.size());
    // Every program meets the same pauses.
    std::vector<std::mt19937> pauses(programs.size(), std::mt19937(7));
    std::vector<ProgramLatency> figures(programs.size());
    for (ProgramLatency& f : figures) f.started = true;
    int index = 0;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            figures[p].started = figures[p].started && RunRound(programs[p], keywordFileBytes, matchingWord,
                                                                popups / rounds, pauses[p], samples[p], index);
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p) {
        for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
            figures[p].kinds[kind] = samples[p][kind].Figures();
        }
    }
    return figures;
}

}  // namespace quellix::bench
