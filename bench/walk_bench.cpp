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

struct Samples {
    std::vector<double> scan, least, bare;
    std::vector<double> titles, fileRead, titleUpper, fileUpper, match, rest, total;
};

void Measure(int which, const std::wstring& path, std::string& buffer, Samples& s) {
    const std::int64_t start = Now();
    switch (which) {
    case 0:
        ScanWalkOnce(path);
        s.scan.push_back(ElapsedMs(start, Now()));
        break;
    case 1:
        LeastWalk(path, buffer);
        s.least.push_back(ElapsedMs(start, Now()));
        break;
    case 2:
        BareWalk();
        s.bare.push_back(ElapsedMs(start, Now()));
        break;
    default: {
        const WalkSteps steps = TimedStepsWalk(path);
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

WalkFigures MeasureWalks(int hostWindows, int keywords) {
    std::vector<std::string> avoid = DesktopTitlesUpper();
    avoid.push_back("QUELLIX");
    const std::string bytes = KeywordFileBytes(NonMatchingKeywords(keywords, avoid));
    const test::TempFile file(
        test::InTempFolder(L"quellix-bench-" + std::to_wstring(::GetCurrentProcessId()) + L".zap"));
    WalkFigures figures;
    figures.hostWindows = hostWindows;
    figures.keywords = keywords;
    if (!file.Write(bytes)) return figures;
    figures.titled = BareWalk();
    figures.nothingMatched = ScanWalkOnce(file.Path()) == nullptr;

    std::string buffer(std::max(kLeastBuffer, bytes.size() + 1), '\0');
    Samples samples;
    for (int which = 0; which < 4; ++which) Measure(which, file.Path(), buffer, samples);  // warm-up
    samples = Samples{};
    const std::int64_t start = Now();
    int rounds = 0;
    while (rounds < kMinRounds || (rounds < kMaxRounds && ElapsedMs(start, Now()) < kBudgetMs)) {
        // Each round starts with a different walk, so none always follows the same one.
        for (int i = 0; i < 4; ++i) Measure((rounds + i) % 4, file.Path(), buffer, samples);
        ++rounds;
    }
    figures.rounds = rounds;
    figures.scan = Median(samples.scan);
    figures.least = Median(samples.least);
    figures.bare = Median(samples.bare);
    figures.steps.titles = Median(samples.titles);
    figures.steps.fileRead = Median(samples.fileRead);
    figures.steps.titleUpper = Median(samples.titleUpper);
    figures.steps.fileUpper = Median(samples.fileUpper);
    figures.steps.match = Median(samples.match);
    figures.steps.rest = Median(samples.rest);
    figures.steps.total = Median(samples.total);
    return figures;
}

}  // namespace quellix::bench
