#include "platform/line.h"

#include <algorithm>
#include <cstdlib>

#include "platform/twips.h"
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

// The rule's ends are converted on their own; it stays two pixels thick at every DPI.
RECT LinePixels(POINT fromTwips, POINT toTwips, int dpi) {
    const int x1 = TwipsToPixels(fromTwips.x, dpi), y1 = TwipsToPixels(fromTwips.y, dpi);
    const int x2 = TwipsToPixels(toTwips.x, dpi), y2 = TwipsToPixels(toTwips.y, dpi);
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    return {left, top, left + std::max(std::abs(x2 - x1), Line::kThicknessPixels),
            top + std::max(std::abs(y2 - y1), Line::kThicknessPixels)};
}
}  // namespace

bool Line::Create(Form& form, POINT fromTwips, POINT toTwips) {
    if (!RegisterLineClass()) return false;
    const auto place = [fromTwips, toTwips](int dpi) { return LinePixels(fromTwips, toTwips, dpi); };
    return CreateIn(form, kLineClass, WS_VISIBLE | WS_DISABLED, place);
}

}  // namespace quellix
