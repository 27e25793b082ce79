#pragma once
#include "walks.h"

namespace quellix::bench {

// Medians of the three walks, measured round-robin so that the machine's noise hits them alike,
// and of the scan's steps timed one by one.
struct WalkFigures {
    int hostWindows = 0;   // N: the windows of the second process
    int titled = 0;        // titled top-level windows on the whole desktop
    int keywords = 0;      // K
    int rounds = 0;
    bool nothingMatched = false;
    double scan = 0, least = 0, bare = 0;  // milliseconds per walk
    WalkSteps steps;
};

// Measures with `keywords` non-matching keywords over the desktop as it is (the host's windows on it).
WalkFigures MeasureWalks(int hostWindows, int keywords);

}  // namespace quellix::bench
