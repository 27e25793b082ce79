#pragma once

#include <cstdint>

namespace quellix {

enum class TrayAction { None, ShowMainWindow, ShowMenu };

// The shell reports the mouse message it stands for in the low 16 bits of lParam.
std::int32_t TrayEventFromLParam(std::uint64_t lParam) noexcept;

// 0x0203 (left double-click) shows the main window; 0x0205 (right button up) opens the menu; all else nothing.
TrayAction ActionForTrayEvent(std::int32_t trayEvent) noexcept;

// Keeps the latest event and drops notifications that arrive while one is handled (nested message loops).
class TrayEventFilter {
public:
    // Records the event; returns false (drop) while another is being handled.
    bool Begin(std::int32_t trayEvent) noexcept;
    // Marks the current event as handled, so the next one is let through.
    void End() noexcept;
    std::int32_t TrayEvent() const noexcept;
    bool TrayEventBusy() const noexcept;

private:
    std::int32_t trayEvent_ = 0;
    bool busy_ = false;
};

}  // namespace quellix
