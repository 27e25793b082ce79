#include "platform/screen.h"

namespace quellix {

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int TwipsToPixels(int twips) { return ::MulDiv(twips, ScreenDpi(), 1440); }

int PixelsToTwips(int pixels) { return ::MulDiv(pixels, 1440, ScreenDpi()); }

SIZE ScreenSizeTwips() {
    return {PixelsToTwips(::GetSystemMetrics(SM_CXSCREEN)), PixelsToTwips(::GetSystemMetrics(SM_CYSCREEN))};
}

}  // namespace quellix
