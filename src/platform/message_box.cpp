#include "platform/message_box.h"

#include <string>

namespace quellix {

void ShowStopMessage(HWND owner, std::wstring_view text) {
    const std::wstring copy(text);
    ::MessageBoxW(owner, copy.c_str(), kApplicationTitle, MB_OK | MB_ICONSTOP);
}

}  // namespace quellix
