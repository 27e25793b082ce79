#pragma once
#include <windows.h>

namespace quellix {

// Layout is given in twips (1440 an inch) and converted at the screen's DPI: 15 twips a pixel at 96 DPI.
int ScreenDpi();
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

// The primary screen's size in twips.
SIZE ScreenSizeTwips();

}  // namespace quellix
