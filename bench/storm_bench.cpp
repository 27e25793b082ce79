#include "storm_bench.h"

#include <atomic>
#include <thread>
#include <vector>

#include "bench_clock.h"
#include "bench_program.h"
#include "latency_bench.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr DWORD kBetweenPingsMs = 5;

bool IsThreadMessage(const MSG& msg, UINT message) { return msg.hwnd == nullptr && msg.message == message; }

// The walks the benchmark's build has made so far, or -1.
long WalksSoFar(HWND mainWindow) {
    ::PostMessageW(mainWindow, kWalkCountQuery, 0, static_cast<LPARAM>(::GetCurrentThreadId()));
    const auto reply = ServeUntil([](const MSG& msg) { return IsThreadMessage(msg, kWalkCount); }, kAnswerTimeoutMs);
    return reply ? static_cast<long>(reply->wParam) : -1;
}

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

StormFigures MeasureStorm(const WindowHost& host, const std::string& keywordFileBytes, const std::string& popupTitle,
                          DWORD ms) {
    StormFigures figures;
    test::QuellixProcess quellix = Start(BenchProgram("storm", kWithDoorbell), keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(500);  // past its start-up

    const long walksBefore = WalksSoFar(quellix.MainWindow());
    const std::int64_t start = Now();
    host.Storm(ms, ::GetCurrentThreadId());
    Pinger pinger(quellix.MainWindow());
    const auto isDone = [](const MSG& msg) { return IsThreadMessage(msg, kStormDone); };
    std::optional<MSG> done = ServeUntil(isDone, ms / 2);
    figures.popup = CloseOnePopup(PopupKind::kPlain, popupTitle);
    if (!done) done = ServeUntil(isDone, ms + 5000);
    const long walksAfter = WalksSoFar(quellix.MainWindow());
    figures.seconds = ElapsedMs(start, Now()) / 1000.0;
    pinger.Stop();
    if (done) figures.events = static_cast<unsigned long>(done->wParam);
    figures.walks = walksBefore < 0 || walksAfter < 0 ? -1 : walksAfter - walksBefore;
    figures.answers = static_cast<int>(pinger.Answers().size());
    figures.unanswered = pinger.Unanswered();
    figures.answerMedian = Median(pinger.Answers());
    figures.answerP95 = Percentile(pinger.Answers(), 95);
    figures.answerMax = Percentile(pinger.Answers(), 100);
    return figures;
}

}  // namespace quellix::bench
