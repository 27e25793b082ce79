#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "latency_bench.h"
#include "window_host.h"

namespace quellix::bench {

// The benchmark's build with its doorbell, while the host announces retitles as fast as it can and one matching
// window appears halfway through.
struct StormFigures {
    bool started = false;
    double seconds = 0;                // from the walk count before the storm to the one after it
    std::optional<unsigned long> events;  // announced by the host; none when its count did not come back
    long walks = 0;                    // made by the program over `seconds`
    std::optional<PopupTimes> popup;  // the matching window's times, as the latency run takes them
    int answers = 0, unanswered = 0;   // WM_NULL round trips to the main window, and those over 2 s
    double answerMedian = 0, answerP95 = 0, answerMax = 0;  // milliseconds
};

StormFigures MeasureStorm(const WindowHost& host, const std::string& keywordFileBytes, const std::string& popupTitle,
                          DWORD ms);

}  // namespace quellix::bench
