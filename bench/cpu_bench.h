#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "open_log.h"
#include "programs.h"
#include "support/process_figures.h"
#include "window_host.h"

namespace quellix::bench {

// The CPU time a program spends while it scans a desktop on which nothing matches, and what Wine's server spends
// meanwhile; how often its keyword file was opened, counted from outside; and, where a window of the desktop
// ticked, how often it did. Several runs of one program add up.
struct CpuFigures {
    int runs = 0;
    bool started = false;  // in every run
    bool stillRunning = false;
    double wallSeconds = 0;
    double cpuSeconds = 0;           // user + kernel time of its threads
    double processTimesSeconds = 0;  // the same from GetProcessTimes, which Wine undercounts
    double serverSeconds = -1;       // Wine's server's CPU over the same time; -1 when unknown
    test::ProcessFigures start;      // resources after start-up, in the first run
    test::ProcessFigures end;        // and at the end of the last
    std::optional<OpenCount::Opens> opens;        // of the keyword file; none without the log of opens
    std::optional<WindowHost::TickerRun> ticker;  // none at rest, or when the host did not answer
    bool tickingWindowStood = true;  // the ticking window was not closed (its titles match no keyword)

    double ShareOfCore() const { return wallSeconds > 0 ? cpuSeconds / wallSeconds : -1; }
    double ServerShare() const { return serverSeconds < 0 || wallSeconds <= 0 ? -1 : serverSeconds / wallSeconds; }
    std::optional<double> OpensPerSecond() const;
    void Add(const CpuFigures& run);
};

// Over ms, once the program is past its start-up. With retitlesPerSecond above 0, one shown window of the host
// ticks meanwhile (from before the measured time to after it).
CpuFigures MeasureResidentCpu(const Program& program, const std::string& keywordFileBytes, DWORD ms,
                              const WindowHost& host, int retitlesPerSecond);

// Wine's server's CPU over ms with no program started: what the rest of the desktop costs it, with one window of the
// host ticking meanwhile where retitlesPerSecond is above 0. Several runs add up.
struct IdleServer {
    double wallSeconds = 0;
    double serverSeconds = -1;  // -1 when unknown
    std::optional<WindowHost::TickerRun> ticker;

    double ServerShare() const { return serverSeconds < 0 || wallSeconds <= 0 ? -1 : serverSeconds / wallSeconds; }
    void Add(const IdleServer& run);
};
IdleServer MeasureIdleServer(DWORD ms, const WindowHost& host, int retitlesPerSecond);

}  // namespace quellix::bench
