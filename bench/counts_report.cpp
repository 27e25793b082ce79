#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench_program.h"
#include "desktop_reports.h"
#include "latency_bench.h"
#include "storm_bench.h"
#include "ticker_counts.h"

namespace quellix::bench {
namespace {

constexpr DWORD kCountMs = 10000;
constexpr DWORD kStormMs = 4000;
constexpr int kStormPopups = 4;
constexpr double kStormCloseGoalMs = 20;
constexpr double kStormWalksGoal = 300;

struct CountRow {
    std::string label;
    double seconds = 0;
    std::optional<ScanCounts> counts;
    bool valid = true;
};

Program WithDoorbell(const Build& build) { return BenchBuild(build, kWithDoorbell, "doorbell"); }

CountRow TickerCountRow(const Build& build, const KeywordFiles& files, const WindowHost& host) {
    const TickerCounts f = MeasureTickerCounts(WithDoorbell(build), files.resting, kCountMs, host, kRetitlesPerSecond);
    return {build.name + ", " + std::to_string(kRetitlesPerSecond) + " retitles/s", f.seconds,
            f.started ? f.counts : std::nullopt, f.tickingWindowStood && f.ticker.has_value()};
}

void PrintStorm(const Program& program, const StormFigures& f) {
    std::printf("  %s:", program.label.c_str());
    if (!f.started) {
        std::printf(" did not start\n");
        return;
    }
    if (f.events) {
        std::printf(" %lu events (%.0f a second);", *f.events, *f.events / (kStormMs / 1000.0));
    } else {
        std::printf(" events unknown;");
    }
    std::printf(" %d of %d matching windows asked to close\n", static_cast<int>(f.popups.size()), kStormPopups);
    std::printf("    from creation, ms: closed");
    for (const PopupTimes& popup : f.popups) std::printf(" %.1f", popup.closed);
    std::printf("; their threads back in their loops after");
    for (const PopupTimes& popup : f.popups) std::printf(" %.1f", popup.created);
    std::printf("; asked after");
    for (const PopupTimes& popup : f.popups) std::printf(" %.0f", popup.asked);
    std::printf("\n");
    std::printf("    main window's answer to WM_NULL: %d round trips, median %.2f ms, p95 %.2f ms, max %.2f ms, %d "
                "over 2 s\n",
                f.answers, f.answerMedian, f.answerP95, f.answerMax, f.unanswered);
}

void PrintStormGoals(const StormFigures& f) {
    const double walksPerSecond = f.counts && f.seconds > 0 ? f.counts->walks / f.seconds : -1;
    double slowest = 0;
    for (const PopupTimes& popup : f.popups) slowest = std::max(slowest, popup.closed);
    const bool allClosed = f.started && static_cast<int>(f.popups.size()) == kStormPopups;
    std::printf("Goal: in the storm, the new build closes each window within %.0f ms: %s; at most %.0f walks a "
                "second: %s\n",
                kStormCloseGoalMs, Verdict(allClosed && slowest <= kStormCloseGoalMs), kStormWalksGoal,
                Verdict(walksPerSecond >= 0 && walksPerSecond <= kStormWalksGoal));
}

void PrintCounts(const std::vector<CountRow>& rows) {
    std::printf("\nWalks and single-window checks a second: the benchmark's build of each, with its doorbell\n");
    std::printf("  %-40s %8s %9s %9s\n", "program and case", "seconds", "walks/s", "checks/s");
    for (const CountRow& row : rows) {
        std::printf("  %-40s %8.2f", row.label.c_str(), row.seconds);
        if (!row.counts || row.seconds <= 0) {
            std::printf("  no answer\n");
            continue;
        }
        std::printf(" %9.1f", row.counts->walks / row.seconds);
        if (row.counts->checks < 0) {
            std::printf(" %9s", "-");
        } else {
            std::printf(" %9.1f", row.counts->checks / row.seconds);
        }
        std::printf("%s\n", row.valid ? "" : "  (THE TICKING WINDOW WAS CLOSED OR DID NOT TICK: figures invalid)");
    }
    std::printf("  walks: over every window (each tick's, and in today's build each ring's); checks: windows\n"
                "  tested on their own after a ring (today's build has none)\n");
}

}  // namespace

void ReportWalksAndChecks(const Builds& builds, const KeywordFiles& files, const WindowHost& host) {
    std::vector<CountRow> rows;
    for (const Build* build : builds.InTurn()) rows.push_back(TickerCountRow(*build, files, host));
    std::printf("\nStorm: the host announces a retitle of one shown window (NotifyWinEvent) as fast as it can for "
                "%.0f s;\n  %d matching windows one after another; the benchmark's build of each, with its doorbell\n",
                kStormMs / 1000.0, kStormPopups);
    StormFigures now;
    for (const Build* build : builds.InTurn()) {
        const Program program = WithDoorbell(*build);
        const StormFigures f =
            MeasureStorm(program, host, files.matching, kMatchingWord, kStormPopups, kStormMs);
        PrintStorm(program, f);
        rows.push_back({build->name + ", storm", f.seconds, f.started ? f.counts : std::nullopt, true});
        if (build == &builds.now) now = f;
    }
    PrintStormGoals(now);
    PrintCounts(rows);
}

}  // namespace quellix::bench
