#include "desktop_bench.h"

#include <windows.h>

#include <cstdio>

#include "bench_texts.h"
#include "desktop_reports.h"
#include "latency_bench.h"
#include "open_log.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

constexpr HostDesktop kRealDesktop{150, 20, 30};
constexpr int kOwnOpens = 200;  // the benchmark's own, to check the count of opens

KeywordFiles MakeKeywordFiles() {
    std::vector<std::string> avoid = DesktopTitlesUpper();
    avoid.push_back("QUELLIX");
    avoid.push_back(UpperAscii(LatencyPopupTitle(kMatchingWord, 0)));
    std::vector<std::string> keywords = NonMatchingKeywords(kResidentKeywords, avoid);
    KeywordFiles files{KeywordFileBytes(keywords), {}};
    keywords.push_back(kMatchingWord);
    files.matching = KeywordFileBytes(keywords);
    return files;
}

void PrintBuilds(const Builds& builds) {
    if (!builds.today) {
        std::printf("Today's build: not given (QUELLIX_BASELINE_EXE, QUELLIX_BASELINE_BENCH_EXE): no comparisons\n");
        return;
    }
    const std::string commit = TodaysCommit();
    std::printf("Today's build: %s, the build before the keyword file was watched and the doorbell handed windows "
                "over\n",
                commit.empty() ? "(commit unknown)" : commit.c_str());
}

void PrintOpenCheck() {
    const std::optional<long> counted = CountOwnOpens(kOwnOpens);
    if (!counted) {
        std::printf("Keyword file opens: not counted (no log of opens; tools/run-bench makes one with inotifywait)\n");
        return;
    }
    std::printf("Keyword file opens are counted from outside (inotifywait on Wine's temporary folder, one folder per "
                "program):\n  %d opens made by the benchmark itself counted as %ld%s\n",
                kOwnOpens, *counted, *counted == kOwnOpens ? "" : " (THE COUNT OF OPENS IS OFF)");
}

}  // namespace

std::vector<const Build*> Builds::InTurn() const {
    std::vector<const Build*> order;
    if (today) order.push_back(&*today);
    order.push_back(&now);
    return order;
}

void RunDesktopBenchmarks() {
    WindowHost host(kRealDesktop);
    if (!host.Ready()) {
        std::printf("The window host did not come up.\n");
        return;
    }
    test::PumpFor(kHostSettleMs);
    std::printf("\nThe desktop from here on: %d hidden titled, %d shown titled and %d untitled top-level windows of a "
                "second process\n",
                kRealDesktop.hidden, kRealDesktop.visible, kRealDesktop.untitled);
    const Builds builds;
    PrintBuilds(builds);
    PrintOpenCheck();
    const KeywordFiles files = MakeKeywordFiles();
    ReportCloseLatency(builds, files);
    ReportResidentCpu(builds, files, host);
    ReportWalksAndChecks(builds, files, host);
}

}  // namespace quellix::bench
