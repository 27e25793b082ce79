#include "platform/twips.h"

namespace quellix {

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

int PixelsToTwips(int pixels, int dpi) { return ::MulDiv(pixels, 1440, dpi); }

RECT TwipsToPixels(const TwipsRect& twips, int dpi) {
    const int left = TwipsToPixels(twips.left, dpi);
    const int top = TwipsToPixels(twips.top, dpi);
    return {left, top, left + TwipsToPixels(twips.width, dpi), top + TwipsToPixels(twips.height, dpi)};
}

}  // namespace quellix
