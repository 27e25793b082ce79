// Prints what a walk of the scan costs against the least walk its order allows and against the earlier order, how
// soon a matching window is closed with the doorbell and without it, what the resident program costs in CPU
// against the earlier order, and how it weathers a storm of events. Run by tools/run-bench.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_program.h"
#include "bench_texts.h"
#include "cpu_bench.h"
#include "latency_bench.h"
#include "storm_bench.h"
#include "support/wait.h"
#include "walk_bench.h"
#include "window_host.h"

namespace quellix::bench {
namespace {

// Hidden windows only, as in the earlier runs, and a desktop like a real one: most windows hidden helpers, a few
// shown, some untitled.
constexpr HostDesktop kWalkDesktops[] = {{100, 0, 0}, {500, 0, 0}, {150, 20, 30}};
constexpr HostDesktop kRealDesktop{150, 20, 30};
constexpr int kKeywordCounts[] = {10, 100, 1000};
constexpr int kGoalKeywords = 1000;
constexpr double kGoalRatio = 1.1;
constexpr int kResidentKeywords = 50;
constexpr int kLatencyPopups = 50;  // of each kind, for each program
constexpr double kLatencyGoalMs = 10;
constexpr DWORD kCpuMs = 30000;
constexpr double kCpuGoalRatio = 0.4;
constexpr DWORD kStormMs = 4000;
constexpr double kStormCloseGoalMs = 20;
constexpr double kStormWalksGoal = 300;
constexpr char kMatchingWord[] = "Bonanza";
constexpr DWORD kSettleMs = 2000;  // the desktop's own programs react to the new windows for a while

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

void PrintWalks(const std::vector<WalkFigures>& all) {
    std::printf("Scan walk over the desktop (%d-bit build): milliseconds per walk, medians, the walks taken in turn\n",
                static_cast<int>(sizeof(void*) * 8));
    std::printf("  %6s %5s %8s %6s %5s  %8s %8s  %8s %8s  %8s  %10s %9s  %6s %5s\n", "hidden", "shown", "untitled",
                "titled", "K", "scan", "least", "old-scan", "old-lst", "bare", "scan/least", "old/scan", "rounds",
                "reads");
    for (const WalkFigures& f : all) {
        std::printf("  %6d %5d %8d %6d %5d  %8.3f %8.3f  %8.3f %8.3f  %8.3f  %9.2fx %8.1fx  %6d %5d%s\n",
                    f.desktop.hidden, f.desktop.visible, f.desktop.untitled, f.titled, f.keywords, f.scan, f.least,
                    f.oldScan, f.oldLeast, f.bare, f.scan / f.least, f.oldScan / f.scan, f.rounds, f.scanReads,
                    f.nothingMatched ? "" : "  (SOMETHING MATCHED: figures invalid)");
    }
    std::printf("  scan: the scan's walk, its state kept from walk to walk as a tick keeps it; least: the least\n"
                "  walk its order allows while the keyword file is unchanged (shown? then title, then the class\n"
                "  and process the guards need); old-scan: the earlier order (title of every window, the file read\n"
                "  for every titled one, then the match); old-lst: the least walk of the earlier order; bare:\n"
                "  titles; reads: the scan's reads of the keyword file over its timed walks\n");
    std::printf("\nWhere a walk in the earlier order spends its time: milliseconds per walk, medians\n");
    std::printf("  %6s %5s %5s  %8s %8s %8s %8s %8s %8s  %8s\n", "hidden", "shown", "K", "titles", "file-io",
                "title-uc", "file-uc", "match", "rest", "total");
    for (const WalkFigures& f : all) {
        const WalkSteps& s = f.oldSteps;
        std::printf("  %6d %5d %5d  %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f  %8.3f\n", f.desktop.hidden,
                    f.desktop.visible, f.keywords, s.titles, s.fileRead, s.titleUpper, s.fileUpper, s.match, s.rest,
                    s.total);
    }
    std::printf("\nGoal: a scan walk within %.1fx of the least walk at K = %d:", kGoalRatio, kGoalKeywords);
    for (const WalkFigures& f : all) {
        if (f.keywords != kGoalKeywords) continue;
        const double ratio = f.scan / f.least;
        std::printf("  %d+%d+%d: %.2fx (%s)", f.desktop.hidden, f.desktop.visible, f.desktop.untitled, ratio,
                    Verdict(ratio <= kGoalRatio));
    }
    std::printf("\n");
}

std::vector<WalkFigures> RunWalks() {
    std::vector<WalkFigures> all;
    for (const HostDesktop& desktop : kWalkDesktops) {
        WindowHost host(desktop);
        if (!host.Ready()) {
            std::printf("The window host did not come up with %d windows.\n", desktop.hidden + desktop.visible);
            continue;
        }
        test::PumpFor(kSettleMs);
        for (int k : kKeywordCounts) all.push_back(MeasureWalks(desktop, k));
    }
    return all;
}

void PrintLatency(const Program& program, const ProgramLatency& latency) {
    if (!latency.started) {
        std::printf("  %-28s did not start\n", program.label);
        return;
    }
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        const LatencyFigures& f = latency.kinds[kind];
        std::printf("  %-26s %-16s %5d  %7.1f %7.1f %7.1f %7.1f  %7.1f  %7.0f %7.0f", program.label,
                    KindName(kPopupKinds[kind]), f.popups, f.median, f.p95, f.min, f.max, f.creation, f.askedMedian,
                    f.askedP95);
        if (f.missed) std::printf("  %d NOT CLOSED within 3 s", f.missed);
        std::printf("\n");
    }
}

void RunLatency(const std::string& keywordFile) {
    std::printf("\nClose latency: %d keywords, the matching one last; from the window's creation to its WM_CLOSE, ms\n",
                kResidentKeywords + 1);
    std::printf("  %-26s %-16s %5s  %7s %7s %7s %7s  %7s  %7s %7s\n", "program", "window", "count", "median", "p95",
                "min", "max", "created", "asked", "ask p95");
    const Program withDoorbell = ReleasedProgram();
    const ProgramLatency ringing = MeasureCloseLatency(withDoorbell, keywordFile, kMatchingWord, kLatencyPopups);
    PrintLatency(withDoorbell, ringing);
    const Program timerOnly = BenchProgram("bench build, timer only", kTimerOnly);
    PrintLatency(timerOnly, MeasureCloseLatency(timerOnly, keywordFile, kMatchingWord, kLatencyPopups));
    std::printf("  created: the median time until the creating thread is back in its message loop, where it can\n"
                "  take the WM_CLOSE (a message box: until its own loop takes its first message); asked: when the\n"
                "  program posted the WM_CLOSE (its message time, whole ms), median and 95th percentile\n");
    std::printf("Goal: with the doorbell, 95th percentile at most %.0f ms:", kLatencyGoalMs);
    for (std::size_t kind = 0; kind < kPopupKinds.size(); ++kind) {
        const double p95 = ringing.kinds[kind].p95;
        std::printf("  %s %.1f ms (%s)", KindName(kPopupKinds[kind]), p95,
                    Verdict(ringing.started && p95 <= kLatencyGoalMs));
    }
    std::printf("\n");
}

// A share of one core as a percentage, or a dash where it is unknown.
void PrintShare(double share) {
    if (share < 0) {
        std::printf(" %9s", "-");
    } else {
        std::printf(" %7.2f %%", share * 100.0);
    }
}

// Prints one program's row; returns program plus server, or -1.
double PrintCpuRow(const Program& program, const CpuFigures& cpu) {
    std::printf("  %-28s", program.label);
    if (!cpu.started) {
        std::printf(" did not start\n");
        return -1;
    }
    PrintShare(cpu.shareOfCore);
    PrintShare(cpu.serverShare);
    const double together = cpu.serverShare < 0 ? -1 : cpu.shareOfCore + cpu.serverShare;
    PrintShare(together);
    std::printf("   %.0f/%.0f KiB, %lu/%lu handles%s\n", static_cast<double>(cpu.start.workingSet) / 1024.0,
                static_cast<double>(cpu.end.workingSet) / 1024.0, cpu.start.handles, cpu.end.handles,
                cpu.stillRunning ? "" : " (IT ENDED MEANWHILE)");
    return together;
}

void RunResidentCpu(const std::string& keywordFile) {
    std::printf("\nResident CPU at rest: %d keywords, none matching; %.0f s each, share of one core\n",
                kResidentKeywords, kCpuMs / 1000.0);
    std::printf("  %-28s %9s %9s %9s   %s\n", "program", "program", "server", "together",
                "working set and handles, start/end");
    const double idle = MeasureIdleServer(kCpuMs);
    std::printf("  %-28s %9s", "nothing resident", "-");
    PrintShare(idle);
    std::printf("\n");
    const Program released = ReleasedProgram();
    const double now = PrintCpuRow(released, MeasureResidentCpu(released, keywordFile, kCpuMs));
    const Program old = BenchProgram("earlier order (reference)", kOldOrder);
    const double before = PrintCpuRow(old, MeasureResidentCpu(old, keywordFile, kCpuMs));
    std::printf("  program: its threads' GetThreadTimes; server: wineserver's utime + stime in /proc\n");
    if (now < 0 || before <= 0) {
        std::printf("Goal: no ratio (a figure is missing)\n");
        return;
    }
    std::printf("Goal: program and server at most %.0f %% of the reference's: %.0f %% (%s); net of the server's "
                "idle share: %.0f %%\n",
                kCpuGoalRatio * 100.0, now / before * 100.0, Verdict(now / before <= kCpuGoalRatio),
                idle < 0 ? 0.0 : (now - idle) / (before - idle) * 100.0);
}

void RunStorm(const WindowHost& host, const std::string& keywordFile) {
    const StormFigures f = MeasureStorm(host, keywordFile, LatencyPopupTitle(kMatchingWord, 0), kStormMs);
    std::printf("\nStorm: the host announces a retitle of one shown window (NotifyWinEvent) as fast as it can for "
                "%.0f s;\n  one matching window halfway; the benchmark's build with the doorbell, counting its walks\n",
                kStormMs / 1000.0);
    if (!f.started) {
        std::printf("  the program did not start\n");
        return;
    }
    const double walksPerSecond = f.walks < 0 ? -1 : f.walks / f.seconds;
    std::printf("  events announced: ");
    if (f.events) {
        std::printf("%lu (%.0f a second)\n", *f.events, *f.events / (kStormMs / 1000.0));
    } else {
        std::printf("unknown\n");
    }
    std::printf("  walks: %ld in %.2f s = %.0f a second\n", f.walks, f.seconds, walksPerSecond);
    std::printf("  matching window closed: ");
    if (f.popup) {
        std::printf("%.1f ms after its creation (its creating thread back in its loop after %.1f ms; asked after %.0f "
                    "ms)\n",
                    f.popup->closed, f.popup->created, f.popup->asked);
    } else {
        std::printf("NOT within 3 s\n");
    }
    std::printf("  main window's answer to WM_NULL: %d round trips, median %.2f ms, p95 %.2f ms, max %.2f ms, "
                "%d over 2 s\n",
                f.answers, f.answerMedian, f.answerP95, f.answerMax, f.unanswered);
    std::printf("Goal: closed within %.0f ms: %s; at most %.0f walks a second: %s\n", kStormCloseGoalMs,
                Verdict(f.popup && f.popup->closed <= kStormCloseGoalMs), kStormWalksGoal,
                Verdict(walksPerSecond >= 0 && walksPerSecond <= kStormWalksGoal));
}

void RunResident() {
    WindowHost host(kRealDesktop);
    if (!host.Ready()) {
        std::printf("The window host did not come up.\n");
        return;
    }
    test::PumpFor(kSettleMs);
    std::printf("\nThe desktop from here on: %d hidden titled, %d shown titled and %d untitled top-level windows of a "
                "second process\n",
                kRealDesktop.hidden, kRealDesktop.visible, kRealDesktop.untitled);
    std::vector<std::string> avoid = DesktopTitlesUpper();
    avoid.push_back("QUELLIX");
    avoid.push_back(UpperAscii(LatencyPopupTitle(kMatchingWord, 0)));
    std::vector<std::string> keywords = NonMatchingKeywords(kResidentKeywords, avoid);
    const std::string residentFile = KeywordFileBytes(keywords);
    keywords.push_back(kMatchingWord);  // last, so the popup's own test goes through the whole file
    const std::string matchingFile = KeywordFileBytes(keywords);

    RunLatency(matchingFile);
    RunResidentCpu(residentFile);
    RunStorm(host, matchingFile);
}

}  // namespace
}  // namespace quellix::bench

int main(int argc, char** argv) {
    using namespace quellix::bench;
    if (argc >= 2 && std::strcmp(argv[1], kHostArgument) == 0) return RunWindowHost(argc - 2, argv + 2);
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures appear as they are measured
    PrintWalks(RunWalks());
    RunResident();
    return 0;
}
