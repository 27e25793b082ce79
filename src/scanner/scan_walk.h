#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "scanner/close_candidate.h"
#include "scanner/keyword_file_watch.h"
#include "scanner/keyword_search.h"

namespace quellix {

// What one walk over the top-level windows needs: the keyword file's path, taken once per walk,
// and buffers reused from window to window so that a read costs no allocation.
struct ScanWalk {
    std::wstring keywordPath;
    // Asked as each walk starts whether the file may have changed. Only then does the walk read it, once, at the
    // first shown, titled window; until then the keywords cut from the last read hold.
    KeywordFileWatch keywordWatch;
    bool keywordsStale = true;
    std::string fileBytes;
    std::wstring title;
    // The keywords as converted, upper-cased and cut from keywordBytes; made again only when a read
    // brings other bytes, so an unchanged file costs a comparison, not a conversion.
    std::string keywordBytes;
    std::wstring keywordText;
    KeywordSearch keywords;
    // The windows this program made (its forms): they count shown or hidden, and no guard applies to them. It
    // knows their handles, so asking costs no query. Who says a window is cloaked (none when empty).
    std::function<bool(HWND)> isOwnWindow;
    CloakQuery isCloaked;
    // Taken in each walk when the first window matches: the guards need it, and most walks match nothing.
    std::optional<DesktopShell> shell;
    // Given every matching candidate, topmost first; true when it made the walk's new close request.
    // Without it the walk ends at the first matching candidate.
    std::function<bool(HWND)> ask;
    // How often the keyword file was read, over every walk made with this.
    int keywordReads = 0;
};

// After a read into walk.fileBytes: the keywords converted, upper-cased and cut again only when those bytes
// differ from the ones last cut.
void CutKeywordsIfChanged(ScanWalk& walk);

// One walk: returns the first matching candidate, or null; with walk.ask, the window newly asked to
// close, or null.
HWND FindFirstPopup(ScanWalk& walk);

// The same tests for just these top-level windows, in this order, as a walk that met only them; the keyword file is
// left to the next walk unless none has read it since it changed.
HWND CheckWindows(ScanWalk& walk, std::span<const HWND> windows);

}  // namespace quellix
