#include "dialogs/center_form.h"

#include <cmath>

#include "dialogs/center_form_math.h"
#include "platform/form.h"
#include "platform/screen.h"
#include "platform/twips.h"

namespace quellix {

// On the monitor the owner is on, at the form's DPI (the form opened there, so it is that monitor's).
void CenterForm(Form& form) {
    if (!form.IsLoaded()) return;
    const HWND owner = ::GetWindow(form.Handle(), GW_OWNER);
    const RECT monitor = MonitorRect(owner ? owner : form.Handle());
    const int dpi = form.Dpi();
    const SIZE outer = form.OuterSizeTwips();
    const FormPosition position = CenterFormPosition(
        static_cast<float>(PixelsToTwips(monitor.right - monitor.left, dpi)),
        static_cast<float>(PixelsToTwips(monitor.bottom - monitor.top, dpi)), static_cast<float>(outer.cx),
        static_cast<float>(outer.cy));
    // The move is in whole twips; the top's fraction is far below one pixel, so rounding it loses nothing visible.
    form.MoveTwips(position.left, static_cast<int>(std::lround(position.top)), {monitor.left, monitor.top});
}

}  // namespace quellix
