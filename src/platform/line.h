#pragma once
#include <windows.h>

#include "platform/controls.h"

namespace quellix {

// A straight rule between two points given in twips in the parent's client area, two pixels thick, in the
// window-text colour. It takes no input and no focus.
class Line : public Control {
public:
    static constexpr int kThicknessPixels = 2;
    bool Create(Form& form, POINT fromTwips, POINT toTwips);
};

}  // namespace quellix
