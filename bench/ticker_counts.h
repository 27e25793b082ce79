#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "programs.h"
#include "window_host.h"

namespace quellix::bench {

// The walks and single-window checks of a benchmark build while one shown window of the host ticks.
struct TickerCounts {
    bool started = false;
    double seconds = 0;                // between the two counts
    std::optional<ScanCounts> counts;  // made over `seconds`; none when the program did not answer
    std::optional<WindowHost::TickerRun> ticker;
    bool tickingWindowStood = true;
};

TickerCounts MeasureTickerCounts(const Program& program, const std::string& keywordFileBytes, DWORD ms,
                                 const WindowHost& host, int retitlesPerSecond);

}  // namespace quellix::bench
