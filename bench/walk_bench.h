#pragma once
#include "walks.h"
#include "window_host.h"

namespace quellix::bench {

// Medians of the walks, measured round-robin so that the machine's noise hits them alike,
// and of the scan's steps timed one by one.
struct WalkFigures {
    HostDesktop desktop;   // the windows of the second process
    int titled = 0;        // titled top-level windows on the whole desktop
    int keywords = 0;      // K
    int rounds = 0;
    bool nothingMatched = false;
    double scan = 0, least = 0, bare = 0;  // milliseconds per walk
    int scanReads = 0;                     // keyword file reads over the timed scan walks
    double oldScan = 0, oldLeast = 0;      // the earlier order's walk and its least walk, for reference
    WalkSteps oldSteps;                    // the earlier order's walk step by step
};

// Measures with `keywords` non-matching keywords over the desktop as it is (the host's windows on it).
WalkFigures MeasureWalks(const HostDesktop& desktop, int keywords);

}  // namespace quellix::bench
