// Prints what a walk of the scan costs against the least walk the design allows, how soon a
// matching window is closed, and what the resident program costs in CPU. Run by tools/run-bench.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_texts.h"
#include "cpu_bench.h"
#include "support/quellix_process.h"
#include "support/wait.h"
#include "latency_bench.h"
#include "walk_bench.h"
#include "window_host.h"

namespace quellix::bench {
namespace {

constexpr int kWindowCounts[] = {100, 500};
constexpr int kKeywordCounts[] = {10, 100, 1000};
constexpr int kGoalKeywords = 1000;
constexpr double kGoalRatio = 1.1;
constexpr int kResidentWindows = 200;
constexpr int kResidentKeywords = 50;
constexpr int kLatencyPopups = 100;
constexpr DWORD kCpuMs = 60000;
constexpr char kMatchingWord[] = "Bonanza";
constexpr DWORD kSettleMs = 2000;  // the desktop's own programs react to the new windows for a while

void PrintWalks(const std::vector<WalkFigures>& all) {
    std::printf("Scan walk over the desktop (%d-bit build): milliseconds per walk, medians, "
                "the three walks taken in turn\n",
                static_cast<int>(sizeof(void*) * 8));
    std::printf("  %5s %7s %5s  %8s %8s %8s  %10s %9s  %6s\n", "N", "titled", "K", "scan", "least", "bare",
                "scan/least", "scan/bare", "rounds");
    for (const WalkFigures& f : all) {
        std::printf("  %5d %7d %5d  %8.3f %8.3f %8.3f  %9.2fx %8.2fx  %6d%s\n", f.hostWindows, f.titled, f.keywords,
                    f.scan, f.least, f.bare, f.scan / f.least, f.scan / f.bare, f.rounds,
                    f.nothingMatched ? "" : "  (SOMETHING MATCHED: figures invalid)");
    }
    std::printf("\nWhere a scan walk's time goes: milliseconds per walk, medians, each step of the callback timed\n");
    std::printf("  %5s %5s  %8s %8s %8s %8s %8s %8s  %8s\n", "N", "K", "titles", "file-io", "title-uc", "file-uc",
                "match", "rest", "total");
    for (const WalkFigures& f : all) {
        const WalkSteps& s = f.steps;
        std::printf("  %5d %5d  %8.3f %8.3f %8.3f %8.3f %8.3f %8.3f  %8.3f\n", f.hostWindows, f.keywords, s.titles,
                    s.fileRead, s.titleUpper, s.fileUpper, s.match, s.rest, s.total);
    }
    std::printf("  titles: GetWindowTextA; file-io: open, read, close; title-uc: the title to wide text, upper case;\n"
                "  file-uc: the bytes read compared with the last, and only when they differ converted, upper-cased\n"
                "  and cut into keywords; match: searching the title; rest: the enumeration and the timing itself\n");
    std::printf("\nGoal: a scan walk within %.1fx of the least walk at K = %d:", kGoalRatio, kGoalKeywords);
    for (const WalkFigures& f : all) {
        if (f.keywords != kGoalKeywords) continue;
        const double ratio = f.scan / f.least;
        std::printf("  N = %d: %.2fx (%s)", f.hostWindows, ratio, ratio <= kGoalRatio ? "met" : "MISSED");
    }
    std::printf("\n");
}

std::vector<WalkFigures> RunWalks() {
    std::vector<WalkFigures> all;
    for (int n : kWindowCounts) {
        WindowHost host(n);
        if (!host.Ready()) {
            std::printf("The window host did not come up with %d windows.\n", n);
            continue;
        }
        test::PumpFor(kSettleMs);
        for (int k : kKeywordCounts) all.push_back(MeasureWalks(n, k));
    }
    return all;
}

void RunResident() {
    WindowHost host(kResidentWindows);
    if (!host.Ready()) {
        std::printf("The window host did not come up with %d windows.\n", kResidentWindows);
        return;
    }
    std::vector<std::string> avoid = DesktopTitlesUpper();
    avoid.push_back("QUELLIX");
    avoid.push_back(UpperAscii(LatencyPopupTitle(kMatchingWord, 0)));
    std::vector<std::string> keywords = NonMatchingKeywords(kResidentKeywords, avoid);
    const std::string residentFile = KeywordFileBytes(keywords);
    keywords.push_back(kMatchingWord);  // last, so the popup's own test goes through the whole file

    const LatencyFigures latency = MeasureCloseLatency(KeywordFileBytes(keywords), kMatchingWord, kLatencyPopups);
    std::printf("\nClose latency: quellix.exe running, %d windows and %d keywords, the matching one last\n",
                kResidentWindows, kResidentKeywords + 1);
    if (!latency.started) {
        const char* exe = std::getenv("QUELLIX_EXE");
        std::printf("  quellix.exe did not start (QUELLIX_EXE=%s)\n", exe ? exe : "not set");
        return;
    }
    std::printf("  %d windows, one at a time: median %.1f ms, 95th percentile %.1f ms, min %.1f ms, max %.1f ms",
                latency.popups, latency.median, latency.p95, latency.min, latency.max);
    if (latency.missed) std::printf(", %d NOT CLOSED within 3 s", latency.missed);
    std::printf("\n");

    const CpuFigures cpu = MeasureResidentCpu(residentFile, kCpuMs);
    std::printf("\nResident CPU: quellix.exe, %d windows and %d keywords, none matching\n", kResidentWindows,
                kResidentKeywords);
    if (!cpu.started) {
        std::printf("  quellix.exe did not start\n");
        return;
    }
    std::printf("  %.3f s of CPU in %.1f s = %.2f %% of one core%s\n", cpu.cpuSeconds, cpu.wallSeconds,
                cpu.shareOfCore * 100.0, cpu.stillRunning ? "" : " (IT ENDED MEANWHILE)");
    std::printf("  (its threads' GetThreadTimes; GetProcessTimes on the process says %.3f s, which Wine undercounts)\n",
                cpu.processTimesSeconds);
    std::printf("  after start-up: working set %.0f KiB, %lu handles; after %.0f s: working set %.0f KiB, %lu handles\n",
                static_cast<double>(cpu.start.workingSet) / 1024.0, cpu.start.handles, cpu.wallSeconds,
                static_cast<double>(cpu.end.workingSet) / 1024.0, cpu.end.handles);
}

}  // namespace
}  // namespace quellix::bench

int main(int argc, char** argv) {
    using namespace quellix::bench;
    if (argc == 3 && std::strcmp(argv[1], kHostArgument) == 0) return RunWindowHost(std::atoi(argv[2]));
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // figures appear as they are measured
    PrintWalks(RunWalks());
    RunResident();
    return 0;
}
