#include "latency_bench.h"

#include <random>
#include <vector>

#include "bench_clock.h"
#include "support/quellix_process.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

// Serves this thread's messages until the popup's first WM_CLOSE is taken from the queue, and
// returns that moment, or 0 after timeoutMs. GetMessage returns as soon as a message is posted,
// where a polling wait would add its own delay to every figure.
std::int64_t WaitForCloseRequest(const test::TestPopup& popup, UINT timeoutMs) {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, timeoutMs, nullptr);
    std::int64_t arrived = 0;
    MSG msg;
    while (arrived == 0 && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) break;
        if (msg.message == WM_CLOSE && msg.hwnd == popup.Handle()) arrived = Now();
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, timer);
    return arrived;
}

}  // namespace

std::string LatencyPopupTitle(const std::string& matchingWord, int index) {
    return "Special " + matchingWord + " offer no. " + std::to_string(index);
}

LatencyFigures MeasureCloseLatency(const std::string& keywordFileBytes, const std::string& matchingWord, int popups) {
    LatencyFigures figures;
    test::QuellixProcess quellix(keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(500);  // past its start-up

    std::mt19937 random(7);
    // Longer than one tick, so the windows appear at every point of the scan's cycle rather than
    // at a fixed distance behind the tick that closed the one before.
    std::uniform_int_distribution<int> pauseMs(0, 150);
    std::vector<double> latencies;
    for (int i = 0; i < popups; ++i) {
        const std::string title = LatencyPopupTitle(matchingWord, i);
        const std::wstring wideTitle(title.begin(), title.end());
        const std::int64_t created = Now();
        test::TestPopup popup(wideTitle);
        const std::int64_t closed = WaitForCloseRequest(popup, 3000);
        if (closed != 0) {
            latencies.push_back(ElapsedMs(created, closed));
        } else {
            ++figures.missed;
        }
        test::PumpFor(static_cast<DWORD>(pauseMs(random)));
    }
    figures.popups = popups;
    figures.median = Median(latencies);
    figures.p95 = Percentile(latencies, 95);
    figures.min = Percentile(latencies, 0);
    figures.max = Percentile(latencies, 100);
    return figures;
}

}  // namespace quellix::bench
