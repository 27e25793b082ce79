#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/controls.h"

namespace quellix {

// The program's label texts separate lines with a lone carriage return. A static control is only sure to break
// lines at a line feed, so each lone CR is shown as CR LF.
std::wstring LineBreaksForDisplay(std::wstring_view caption);

// A label that keeps its caption as given (lone CRs) and shows it with real line breaks.
class CaptionLabel : public Label {
public:
    void SetCaption(std::wstring_view caption);
    const std::wstring& Caption() const noexcept { return caption_; }

private:
    std::wstring caption_;
};

}  // namespace quellix
