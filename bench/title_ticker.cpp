#include "title_ticker.h"

#include <cmath>

#include "bench_clock.h"

namespace quellix::bench {

void TitleTicker::Start(HWND window, int perSecond) {
    char title[256]{};
    ::GetWindowTextA(window, title, static_cast<int>(sizeof(title)));
    window_ = window;
    title_ = title;
    periodMs_ = 1000.0 / perSecond;
    start_ = Now();
    due_ = 0;
    retitles_ = 0;
}

void TitleTicker::Stop() {
    stop_ = Now();
    window_ = nullptr;
}

double TitleTicker::Seconds() const { return ElapsedMs(start_, Running() ? Now() : stop_) / 1000.0; }

DWORD TitleTicker::Wait() const {
    if (!Running()) return INFINITE;
    const double left = static_cast<double>(due_) * periodMs_ - ElapsedMs(start_, Now());
    return left <= 0 ? 0 : static_cast<DWORD>(std::ceil(left));
}

void TitleTicker::RetitleIfDue() {
    if (!Running()) return;
    const double elapsed = ElapsedMs(start_, Now());
    if (elapsed < static_cast<double>(due_) * periodMs_) return;
    ++retitles_;
    const std::string title = title_ + " [" + std::to_string(retitles_) + "]";
    ::SetWindowTextA(window_, title.c_str());
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_WINDOW, CHILDID_SELF);
    due_ = static_cast<long>(elapsed / periodMs_) + 1;
}

}  // namespace quellix::bench
