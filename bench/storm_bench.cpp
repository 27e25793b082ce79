#include "storm_bench.h"

#include <atomic>
#include <thread>
#include <vector>

#include "bench_clock.h"
#include "latency_bench.h"
#include "message_wait.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr DWORD kBetweenPingsMs = 5;

// Asks the main window for an answer to WM_NULL, again and again until told to stop: how long each took.
class Pinger {
public:
    explicit Pinger(HWND target) : thread_([this, target] { Run(target); }) {}
    ~Pinger() { Stop(); }
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    const std::vector<double>& Answers() const { return answers_; }
    int Unanswered() const { return unanswered_; }

private:
    void Run(HWND target) {
        while (!stop_) {
            const std::int64_t start = Now();
            DWORD_PTR result = 0;
            if (::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &result)) {
                answers_.push_back(ElapsedMs(start, Now()));
            } else {
                ++unanswered_;
            }
            ::Sleep(kBetweenPingsMs);
        }
    }
    std::atomic<bool> stop_{false};
    std::vector<double> answers_;
    int unanswered_ = 0;
    std::thread thread_;
};

}  // namespace

StormFigures MeasureStorm(const Program& program, const WindowHost& host, const std::string& keywordFileBytes,
                          const std::string& matchingWord, int popups, DWORD ms) {
    StormFigures figures;
    test::QuellixProcess quellix = Start(program, keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(500);  // past its start-up

    const std::optional<ScanCounts> before = CountsSoFar(program, quellix.MainWindow());
    const std::int64_t start = Now();
    host.Storm(ms, ::GetCurrentThreadId());
    Pinger pinger(quellix.MainWindow());
    const auto isDone = [](const MSG& msg) { return IsThreadMessage(msg, kStormDone); };
    std::optional<MSG> done;
    for (int i = 0; i < popups && !done; ++i) {
        done = ServeUntil(isDone, ms / static_cast<DWORD>(popups + 1));
        if (done) break;
        const std::optional<PopupTimes> popup = CloseOnePopup(PopupKind::kPlain, LatencyPopupTitle(matchingWord, i));
        if (popup) {
            figures.popups.push_back(*popup);
        } else {
            ++figures.notClosed;
        }
    }
    if (!done) done = ServeUntil(isDone, ms + 5000);
    const std::optional<ScanCounts> after = CountsSoFar(program, quellix.MainWindow());
    figures.seconds = ElapsedMs(start, Now()) / 1000.0;
    pinger.Stop();
    if (done) figures.events = static_cast<unsigned long>(done->wParam);
    if (before && after) figures.counts = CountsBetween(*before, *after);
    figures.answers = static_cast<int>(pinger.Answers().size());
    figures.unanswered = pinger.Unanswered();
    figures.answerMedian = Median(pinger.Answers());
    figures.answerP95 = Percentile(pinger.Answers(), 95);
    figures.answerMax = Percentile(pinger.Answers(), 100);
    return figures;
}

}  // namespace quellix::bench
