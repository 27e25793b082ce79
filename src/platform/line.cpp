#include "platform/line.h"

#include <algorithm>
#include <cstdlib>

#include "platform/screen.h"
#include "platform/window_class.h"

namespace quellix {
namespace {
constexpr wchar_t kLineClass[] = L"QuellixLine";

bool RegisterLineClass() {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &::DefWindowProcW;
    // The background erase paints the whole rule: no painting code of its own.
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWTEXT + 1);
    wc.lpszClassName = kLineClass;
    return RegisterClassOnce(wc);
}
}  // namespace

bool Line::Create(Form& form, POINT fromTwips, POINT toTwips) {
    if (!RegisterLineClass()) return false;
    const int x1 = TwipsToPixels(fromTwips.x), y1 = TwipsToPixels(fromTwips.y);
    const int x2 = TwipsToPixels(toTwips.x), y2 = TwipsToPixels(toTwips.y);
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const RECT pixels{left, top, left + std::max(std::abs(x2 - x1), kThicknessPixels),
                      top + std::max(std::abs(y2 - y1), kThicknessPixels)};
    return CreateIn(form, kLineClass, WS_VISIBLE | WS_DISABLED, pixels);
}

}  // namespace quellix
