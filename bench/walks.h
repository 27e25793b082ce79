#pragma once
#include <windows.h>

#include <string>

namespace quellix::bench {

// The walks that are timed against each other. Each goes over the real desktop.

// Enumerates the windows and fetches each title, nothing more. Returns the number of titled windows.
int BareWalk();

// The least walk the design allows: a bare walk that also opens, reads and closes the keyword file
// once per titled window, without parsing or matching. `buffer` is reused from walk to walk.
void LeastWalk(const std::wstring& keywordPath, std::string& buffer);

// One walk of the scan as one tick runs it, with fresh buffers. Returns the matched window or null.
HWND ScanWalkOnce(const std::wstring& keywordPath);

// Where the time of a scan walk goes, in milliseconds per walk; the steps are those of the scan's
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
WalkSteps TimedStepsWalk(const std::wstring& keywordPath);

}  // namespace quellix::bench
