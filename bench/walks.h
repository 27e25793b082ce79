#pragma once
#include <windows.h>

#include <string>

#include "scanner/scan_walk.h"

namespace quellix::bench {

// The walks that are timed against each other. Each goes over the real desktop.

// Enumerates the windows and fetches each title, nothing more. Returns the number of titled windows.
int BareWalk();

// The least walk the scan's order allows while the keyword file is unchanged and nothing matches: asks each window
// whether it is shown and fetches the title of each shown one (the match asks the system nothing, and the guards are
// asked only for a window that matches).
void LeastWalk();

// The least walk of the earlier order, kept as a reference: the title of every window, and the keyword file
// opened, read and closed for every titled one.
void OldLeastWalk(const std::wstring& keywordPath, std::string& buffer);

// One walk in the earlier order, kept as a reference: the title of every window, the keyword file read for every
// titled one (cut again only when its bytes change), the match, and only for a match whether it is shown and
// passes the guards. Returns the first such window, or null. `walk` keeps its buffers from walk to walk.
HWND OldOrderWalk(ScanWalk& walk);

// Where the time of a walk in the earlier order goes, in milliseconds per walk; the steps are those of its
// callback, timed one by one.
struct WalkSteps {
    double titles = 0;      // GetWindowTextA
    double fileRead = 0;    // open, read and close of the keyword file
    double titleUpper = 0;  // the title to wide text, upper-cased
    double fileUpper = 0;   // the file's bytes compared with the last; converted, upper-cased and cut if other
    double match = 0;       // searching the title for the keywords
    double rest = 0;        // the enumeration and the timing itself
    double total = 0;       // the whole walk
};
WalkSteps TimedOldOrderWalk(const std::wstring& keywordPath);

}  // namespace quellix::bench
