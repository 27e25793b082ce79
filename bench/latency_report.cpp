#include <cstdio>
#include <optional>
#include <vector>

#include "bench_program.h"
#include "desktop_reports.h"
#include "latency_bench.h"

namespace quellix::bench {
namespace {

constexpr int kLatencyPopups = 50;  // of each kind, for each program
constexpr int kLatencyRounds = 5;   // the programs take turns this often
constexpr double kShownGoalMs = 16;  // one frame at 60 Hz

void PrintCreationRows(const Program& program, const ProgramLatency& latency) {
    if (!latency.started) {
        std::printf("  %-32s did not start\n", program.label.c_str());
        return;
    }
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        const LatencyFigures& f = latency.kinds[kind];
        std::printf("  %-32s %-16s %5d  %7.1f %7.1f %7.1f %7.1f  %7.1f  %7.0f %7.0f", program.label.c_str(),
                    KindName(kPopupKinds[kind]), f.popups, f.median, f.p95, f.min, f.max, f.creation, f.askedMedian,
                    f.askedP95);
        if (f.missed) std::printf("  %d NOT CLOSED within 3 s", f.missed);
        std::printf("\n");
    }
}

void PrintShownRows(const Program& program, const ProgramLatency& latency) {
    if (!latency.started) return;
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        const LatencyFigures& f = latency.kinds[kind];
        std::printf("  %-32s %-16s %5d  %7.0f %7.0f %7.0f  %7.1f %7.1f  %7.0f %7.0f\n", program.label.c_str(),
                    KindName(kPopupKinds[kind]), f.shownSeen, f.shownAskedMedian, f.shownAskedP95, f.shownAskedMax,
                    f.shownTakenMedian, f.shownTakenP95, f.doneAskedMedian, f.doneAskedP95);
    }
}

void PrintNoWorseGoal(const ProgramLatency& now, const std::optional<ProgramLatency>& today) {
    std::printf("Goal: from creation, 95th percentile no worse than today's build's:");
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        if (!today || !today->started || !now.started) {
            std::printf("  %s: no comparison", KindName(kPopupKinds[kind]));
            continue;
        }
        const double p95 = now.kinds[kind].p95;
        const double before = today->kinds[kind].p95;
        std::printf("  %s %.1f ms against %.1f ms (%s)", KindName(kPopupKinds[kind]), p95, before,
                    Verdict(p95 <= before && now.kinds[kind].missed == 0));
    }
    std::printf("\n");
}

// Met only where every window was closed and seen being shown.
void PrintShownGoal(const ProgramLatency& now) {
    std::printf("Goal: shown until asked, 95th percentile within %.0f ms (one frame at 60 Hz):", kShownGoalMs);
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        const LatencyFigures& f = now.kinds[kind];
        const bool allSeen = now.started && f.missed == 0 && f.shownSeen == f.popups;
        std::printf("  %s %.0f ms (%s)", KindName(kPopupKinds[kind]), f.shownAskedP95,
                    Verdict(allSeen && f.shownAskedP95 <= kShownGoalMs));
    }
    std::printf("\n");
}

}  // namespace

void ReportCloseLatency(const Builds& builds, const KeywordFiles& files) {
    std::vector<Program> programs;
    if (builds.today) programs.push_back(Released(*builds.today));
    programs.push_back(Released(builds.now));
    programs.push_back(BenchBuild(builds.now, kTimerOnly, "timer only"));
    const std::vector<ProgramLatency> latency =
        MeasureCloseLatency(programs, files.matching, kMatchingWord, kLatencyPopups, kLatencyRounds);

    std::printf("\nClose latency: %d keywords, the matching one last; the programs in turn, %d rounds; from the "
                "window's creation\n  to its WM_CLOSE, ms\n",
                kResidentKeywords + 1, kLatencyRounds);
    std::printf("  %-32s %-16s %5s  %7s %7s %7s %7s  %7s  %7s %7s\n", "program", "window", "count", "median", "p95",
                "min", "max", "created", "asked", "ask p95");
    for (std::size_t p = 0; p < programs.size(); ++p) PrintCreationRows(programs[p], latency[p]);
    std::printf("  created: the median time until the creating thread is back in its message loop, where it can\n"
                "  take the WM_CLOSE (a message box: until its own loop takes its first message); asked: when the\n"
                "  program posted the WM_CLOSE (its message time, whole ms), median and 95th percentile\n");

    std::printf("\nShown before the request: from the moment the window was shown to its WM_CLOSE, ms\n");
    std::printf("  %-32s %-16s %5s  %23s  %15s  %15s\n", "", "", "", "shown until asked", "until taken",
                "on screen..asked");
    std::printf("  %-32s %-16s %5s  %7s %7s %7s  %7s %7s  %7s %7s\n", "program", "window", "shown", "median", "p95",
                "max", "median", "p95", "median", "p95");
    for (std::size_t p = 0; p < programs.size(); ++p) PrintShownRows(programs[p], latency[p]);
    std::printf("  shown: windows a hook on their thread saw being shown. The system sets a window's WS_VISIBLE,\n"
                "  from when others see it shown, after ShowWindow sends it WM_SHOWWINDOW and before it sends\n"
                "  WM_WINDOWPOSCHANGED with SWP_SHOWWINDOW (under Wine, once the window is on the X display too).\n"
                "  shown until asked: from WM_SHOWWINDOW until the WM_CLOSE was posted into the window's queue (its\n"
                "  message time against GetTickCount then, whole ms): the most the window can have stood shown\n"
                "  before its request arrived; until taken: until its thread took the WM_CLOSE from the queue, once\n"
                "  done with showing it; on screen..asked: from WM_WINDOWPOSCHANGED to the posting (below 0: the\n"
                "  request arrived before the showing was done)\n");
    const std::size_t now = builds.today ? 1 : 0;
    PrintNoWorseGoal(latency[now], builds.today ? std::optional<ProgramLatency>(latency[0]) : std::nullopt);
    PrintShownGoal(latency[now]);
}

}  // namespace quellix::bench
