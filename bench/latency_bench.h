#pragma once
#include <string>

namespace quellix::bench {

// From the call that creates a matching window to the moment its WM_CLOSE arrives, with the real
// quellix.exe (QUELLIX_EXE) running on the given keyword file.
struct LatencyFigures {
    bool started = false;
    int popups = 0;
    int missed = 0;  // not closed within the time allowed
    double median = 0, p95 = 0, min = 0, max = 0;  // milliseconds
};

// The title of the latency run's window number `index`; it holds `matchingWord`.
std::string LatencyPopupTitle(const std::string& matchingWord, int index);

// Opens `popups` windows titled with `matchingWord` one after another, each after the previous one
// closed and a random pause.
LatencyFigures MeasureCloseLatency(const std::string& keywordFileBytes, const std::string& matchingWord, int popups);

}  // namespace quellix::bench
