#include "tray/tray_event.h"

namespace quellix {
namespace {
// Mouse message numbers as the shell forwards them; spelled out here to keep this file free of Win32 headers.
constexpr std::int32_t kLeftButtonDoubleClick = 0x0203;
constexpr std::int32_t kRightButtonUp = 0x0205;
}  // namespace

std::int32_t TrayEventFromLParam(std::uint64_t lParam) noexcept {
    return static_cast<std::int32_t>(lParam & 0xFFFFu);
}

TrayAction ActionForTrayEvent(std::int32_t trayEvent) noexcept {
    switch (trayEvent) {
        case kLeftButtonDoubleClick: return TrayAction::ShowMainWindow;
        case kRightButtonUp: return TrayAction::ShowMenu;
        default: return TrayAction::None;
    }
}

bool TrayEventFilter::Begin(std::int32_t trayEvent) noexcept {
    trayEvent_ = trayEvent;
    if (busy_) return false;
    busy_ = true;
    return true;
}

void TrayEventFilter::End() noexcept {
    busy_ = false;
}

std::int32_t TrayEventFilter::TrayEvent() const noexcept {
    return trayEvent_;
}

bool TrayEventFilter::TrayEventBusy() const noexcept {
    return busy_;
}

}  // namespace quellix
