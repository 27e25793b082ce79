#include "walk_bench.h"

#include <algorithm>
#include <vector>

#include "bench_clock.h"
#include "bench_texts.h"
#include "support/temp_files.h"

namespace quellix::bench {
namespace {

constexpr int kMinRounds = 31;
constexpr int kMaxRounds = 301;
constexpr double kBudgetMs = 4000;  // per setting, so that the whole run stays short
constexpr std::size_t kLeastBuffer = 1 << 20;

enum Walk { kScan, kLeast, kOldScan, kOldLeast, kBare, kOldSteps, kWalks };

struct Samples {
    std::vector<double> scan, least, oldScan, oldLeast, bare;
    std::vector<double> titles, fileRead, titleUpper, fileUpper, match, rest, total;
};

// The walks kept from walk to walk, as the resident program keeps them.
struct KeptWalks {
    ScanWalk scan;
    ScanWalk old;
};

void Measure(int which, KeptWalks& walks, std::string& buffer, Samples& s) {
    const std::wstring& path = walks.old.keywordPath;
    const std::int64_t start = Now();
    switch (which) {
    case kScan:
        FindFirstPopup(walks.scan);
        s.scan.push_back(ElapsedMs(start, Now()));
        break;
    case kLeast:
        LeastWalk();
        s.least.push_back(ElapsedMs(start, Now()));
        break;
    case kOldScan:
        OldOrderWalk(walks.old);
        s.oldScan.push_back(ElapsedMs(start, Now()));
        break;
    case kOldLeast:
        OldLeastWalk(path, buffer);
        s.oldLeast.push_back(ElapsedMs(start, Now()));
        break;
    case kBare:
        BareWalk();
        s.bare.push_back(ElapsedMs(start, Now()));
        break;
    default: {
        const WalkSteps steps = TimedOldOrderWalk(path);
        s.titles.push_back(steps.titles);
        s.fileRead.push_back(steps.fileRead);
        s.titleUpper.push_back(steps.titleUpper);
        s.fileUpper.push_back(steps.fileUpper);
        s.match.push_back(steps.match);
        const double timedSteps = steps.titles + steps.fileRead + steps.titleUpper + steps.fileUpper + steps.match;
        s.rest.push_back(steps.total - timedSteps);
        s.total.push_back(steps.total);
    }
    }
}

}  // namespace

WalkFigures MeasureWalks(const HostDesktop& desktop, int keywords) {
    std::vector<std::string> avoid = DesktopTitlesUpper();
    avoid.push_back("QUELLIX");
    const std::string bytes = KeywordFileBytes(NonMatchingKeywords(keywords, avoid));
    const test::TempFile file(
        test::InTempFolder(L"quellix-bench-" + std::to_wstring(::GetCurrentProcessId()) + L".zap"));
    WalkFigures figures;
    figures.desktop = desktop;
    figures.keywords = keywords;
    if (!file.Write(bytes)) return figures;
    figures.titled = BareWalk();

    std::string buffer(std::max(kLeastBuffer, bytes.size() + 1), '\0');
    KeptWalks walks;
    walks.scan.keywordPath = file.Path();
    walks.old.keywordPath = file.Path();
    figures.nothingMatched = FindFirstPopup(walks.scan) == nullptr;
    Samples samples;
    for (int which = 0; which < kWalks; ++which) Measure(which, walks, buffer, samples);  // warm-up
    samples = Samples{};
    const int readsBefore = walks.scan.keywordReads;
    const std::int64_t start = Now();
    int rounds = 0;
    while (rounds < kMinRounds || (rounds < kMaxRounds && ElapsedMs(start, Now()) < kBudgetMs)) {
        // Each round starts with a different walk, so none always follows the same one.
        for (int i = 0; i < kWalks; ++i) Measure((rounds + i) % kWalks, walks, buffer, samples);
        ++rounds;
    }
    figures.rounds = rounds;
    figures.scanReads = walks.scan.keywordReads - readsBefore;
    figures.scan = Median(samples.scan);
    figures.least = Median(samples.least);
    figures.bare = Median(samples.bare);
    figures.oldScan = Median(samples.oldScan);
    figures.oldLeast = Median(samples.oldLeast);
    figures.oldSteps.titles = Median(samples.titles);
    figures.oldSteps.fileRead = Median(samples.fileRead);
    figures.oldSteps.titleUpper = Median(samples.titleUpper);
    figures.oldSteps.fileUpper = Median(samples.fileUpper);
    figures.oldSteps.match = Median(samples.match);
    figures.oldSteps.rest = Median(samples.rest);
    figures.oldSteps.total = Median(samples.total);
    return figures;
}

}  // namespace quellix::bench
