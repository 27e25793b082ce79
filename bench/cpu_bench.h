#pragma once
#include <windows.h>

#include <string>

#include "support/process_figures.h"

namespace quellix::bench {

// The CPU time the real quellix.exe spends while it scans a desktop on which nothing matches.
struct CpuFigures {
    bool started = false;
    bool stillRunning = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;           // user + kernel time of its threads
    double processTimesSeconds = 0;  // the same from GetProcessTimes, which Wine undercounts
    double shareOfCore = 0;          // cpuSeconds / wallSeconds
    test::ProcessFigures start;       // resources after start-up
    test::ProcessFigures end;         // and at the end of the run
};

CpuFigures MeasureResidentCpu(const std::string& keywordFileBytes, DWORD ms);

}  // namespace quellix::bench
