// Prints what a walk of the scan costs against the least walk its order allows and against the earlier order, then
// the figures on a desktop like a real one against today's build (desktop_bench.h). Run by tools/run-bench.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "desktop_bench.h"
#include "support/wait.h"
#include "walk_bench.h"
#include "window_host.h"

namespace quellix::bench {
namespace {

// Hidden windows only, as in the earlier runs, and a desktop like a real one: most windows hidden helpers, a few
// shown, some untitled.
constexpr HostDesktop kWalkDesktops[] = {{100, 0, 0}, {500, 0, 0}, {150, 20, 30}};
constexpr int kKeywordCounts[] = {10, 100, 1000};
constexpr int kGoalKeywords = 1000;
constexpr double kGoalRatio = 1.1;

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
                "  walk its order allows while the keyword file is unchanged and nothing matches (shown? then\n"
                "  title; the guards are asked only of a match); old-scan: the earlier order (title of every\n"
                "  window, the file read for every titled one, then the match); old-lst: the least walk of the\n"
                "  earlier order; bare: titles; reads: the scan's reads of the keyword file over its timed walks\n");
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
        test::PumpFor(kHostSettleMs);
        for (int k : kKeywordCounts) all.push_back(MeasureWalks(desktop, k));
    }
    return all;
}

}  // namespace
}  // namespace quellix::bench

int main(int argc, char** argv) {
    using namespace quellix::bench;
    if (argc >= 2 && std::strcmp(argv[1], kHostArgument) == 0) return RunWindowHost(argc - 2, argv + 2);
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures appear as they are measured
    PrintWalks(RunWalks());
    RunDesktopBenchmarks();
    return 0;
}
