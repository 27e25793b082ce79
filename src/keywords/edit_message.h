#pragma once
#include <windows.h>

#include "keywords/keyword_edits.h"

namespace quellix {

// True when the edit was saved; otherwise tells the user what failed, in the program's stop message box.
bool EditSaved(HWND owner, EditResult result);

}  // namespace quellix
