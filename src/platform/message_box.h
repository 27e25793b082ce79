#pragma once
#include <windows.h>

#include <string_view>

#include "platform/application_title.h"

namespace quellix {

// A modal message box with the stop icon and a single OK button (style 16) under the application title.
void ShowStopMessage(HWND owner, std::wstring_view text);

}  // namespace quellix
