#pragma once
#include <windows.h>

namespace quellix {

// A rectangle in twips, relative to the owner's client area.
struct TwipsRect {
    int left, top, width, height;
};

// Layout is given in twips (1440 an inch) and converted at the DPI of the window it is for: 15 twips a pixel at
// 96 DPI, 10 at 144.
int TwipsToPixels(int twips, int dpi);
int PixelsToTwips(int pixels, int dpi);

// Each edge on its own, as controls have always been placed: the right edge is the converted left plus the
// converted width, not the converted sum.
RECT TwipsToPixels(const TwipsRect& twips, int dpi);

}  // namespace quellix
