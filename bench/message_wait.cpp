#include "message_wait.h"

namespace quellix::bench {

std::optional<MSG> ServeUntil(const std::function<bool(const MSG&)>& wanted, UINT timeoutMs) {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, timeoutMs, nullptr);
    std::optional<MSG> found;
    MSG msg;
    while (!found && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) break;
        if (wanted(msg)) found = msg;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::KillTimer(nullptr, timer);
    return found;
}

}  // namespace quellix::bench
