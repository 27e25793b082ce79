#include "dialogs/center_form.h"

#include <cmath>

#include "dialogs/center_form_math.h"
#include "platform/form.h"
#include "platform/screen.h"

namespace quellix {

void CenterForm(Form& form) {
    if (!form.IsLoaded()) return;
    const SIZE screen = ScreenSizeTwips();
    const SIZE outer = form.OuterSizeTwips();
    const FormPosition position =
        CenterFormPosition(static_cast<float>(screen.cx), static_cast<float>(screen.cy),
                           static_cast<float>(outer.cx), static_cast<float>(outer.cy));
    // The move is in whole twips; the top's fraction is far below one pixel, so rounding it loses nothing visible.
    form.MoveTwips(position.left, static_cast<int>(std::lround(position.top)));
}

}  // namespace quellix
