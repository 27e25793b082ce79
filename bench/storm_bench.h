#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "latency_bench.h"
#include "window_host.h"

namespace quellix::bench {

// A benchmark build with its doorbell, while the host announces retitles as fast as it can and matching windows
// appear one after another, spread over the storm.
struct StormFigures {
    bool started = false;
    double seconds = 0;                // from the counts before the storm to those after it
    std::optional<unsigned long> events;  // announced by the host; none when its count did not come back
    std::optional<ScanCounts> counts;  // made by the program over `seconds`; none when it did not answer
    std::vector<PopupTimes> popups;    // the matching windows' times, as the latency run takes them
    int notClosed = 0;                 // matching windows not asked to close within 3 s
    int answers = 0, unanswered = 0;   // WM_NULL round trips to the main window, and those over 2 s
    double answerMedian = 0, answerP95 = 0, answerMax = 0;  // milliseconds
};

// `popups` windows titled with `matchingWord`.
StormFigures MeasureStorm(const Program& program, const WindowHost& host, const std::string& keywordFileBytes,
                          const std::string& matchingWord, int popups, DWORD ms);

}  // namespace quellix::bench
