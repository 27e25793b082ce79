#pragma once
#include <windows.h>

#include <string>

namespace quellix {

// What one walk over the top-level windows needs: the keyword file's path, taken once per walk,
// and buffers reused from window to window so that a read costs no allocation.
struct ScanWalk {
    std::wstring keywordPath;
    std::string fileBytes;
    std::wstring fileText;
    std::wstring title;
};

// One walk: returns the first window whose title holds a keyword, or null.
HWND FindFirstPopup(ScanWalk& walk);

}  // namespace quellix
