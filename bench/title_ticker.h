#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace quellix::bench {

// A window that retitles itself at a steady rate, as a player's clock or a download's percentage does: each time
// SetWindowText and the EVENT_OBJECT_NAMECHANGE that Windows raises for every retitle (Wine 8 raises none). The
// title keeps its text and ends in a count. Runs on the window's own thread, between its messages.
class TitleTicker {
public:
    void Start(HWND window, int perSecond);
    void Stop();
    bool Running() const { return window_ != nullptr; }
    long Retitles() const { return retitles_; }
    double Seconds() const;

    // How long the thread may wait for messages before the next retitle is due; INFINITE while stopped.
    DWORD Wait() const;
    // Retitles the window once when a retitle is due. One that comes late is not made up for: the next keeps to the
    // schedule.
    void RetitleIfDue();

private:
    HWND window_ = nullptr;
    std::string title_;
    double periodMs_ = 0;
    std::int64_t start_ = 0;
    std::int64_t stop_ = 0;
    long due_ = 0;  // the number of the next retitle on the schedule
    long retitles_ = 0;
};

}  // namespace quellix::bench
