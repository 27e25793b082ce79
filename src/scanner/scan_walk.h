#pragma once
#include <windows.h>

#include <string>

#include "scanner/keyword_search.h"

namespace quellix {

// What one walk over the top-level windows needs: the keyword file's path, taken once per walk,
// and buffers reused from window to window so that a read costs no allocation.
struct ScanWalk {
    std::string keywordPath;
    std::string fileBytes;
    std::wstring title;
    // The keywords as converted, upper-cased and cut from keywordBytes; made again only when a read
    // brings other bytes, so an unchanged file costs a comparison, not a conversion.
    std::string keywordBytes;
    std::wstring keywordText;
    KeywordSearch keywords;
};

// One walk: returns the first window whose title holds a keyword, or null.
HWND FindFirstPopup(ScanWalk& walk);

}  // namespace quellix
