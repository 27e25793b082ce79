#include "ticker_counts.h"

#include "bench_clock.h"
#include "support/wait.h"

namespace quellix::bench {

TickerCounts MeasureTickerCounts(const Program& program, const std::string& keywordFileBytes, DWORD ms,
                                 const WindowHost& host, int retitlesPerSecond) {
    TickerCounts figures;
    test::QuellixProcess quellix = Start(program, keywordFileBytes);
    figures.started = quellix.Started();
    if (!figures.started) return figures;
    test::PumpFor(1000);  // past its start-up
    const HWND ticking = host.StartTicker(retitlesPerSecond);
    test::PumpFor(500);
    const std::optional<ScanCounts> before = CountsSoFar(program, quellix.MainWindow());
    const std::int64_t start = Now();
    test::PumpFor(ms);
    const std::optional<ScanCounts> after = CountsSoFar(program, quellix.MainWindow());
    figures.seconds = ElapsedMs(start, Now()) / 1000.0;
    figures.ticker = host.StopTicker();
    figures.tickingWindowStood = ticking && ::IsWindow(ticking);
    if (before && after) figures.counts = CountsBetween(*before, *after);
    return figures;
}

}  // namespace quellix::bench
