#pragma once
#include <windows.h>

#include <string>

#include "latency_bench.h"
#include "support/process_figures.h"

namespace quellix::bench {

// The CPU time a program spends while it scans a desktop on which nothing matches, and what Wine's server spends
// meanwhile.
struct CpuFigures {
    bool started = false;
    bool stillRunning = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;           // user + kernel time of its threads
    double processTimesSeconds = 0;  // the same from GetProcessTimes, which Wine undercounts
    double shareOfCore = 0;          // cpuSeconds / wallSeconds
    double serverShare = -1;         // Wine's server's CPU over the same time, share of one core; -1 when unknown
    test::ProcessFigures start;       // resources after start-up
    test::ProcessFigures end;         // and at the end of the run
};

CpuFigures MeasureResidentCpu(const Program& program, const std::string& keywordFileBytes, DWORD ms);

// Wine's server's share of one core over ms with no program started: what the rest of the desktop costs it.
// -1 when unknown.
double MeasureIdleServer(DWORD ms);

}  // namespace quellix::bench
