#include "platform/caption_label.h"

namespace quellix {

std::wstring LineBreaksForDisplay(std::wstring_view caption) {
    std::wstring shown;
    shown.reserve(caption.size() + caption.size() / 8);
    for (std::size_t i = 0; i < caption.size(); ++i) {
        shown.push_back(caption[i]);
        const bool loneCr = caption[i] == L'\r' && (i + 1 == caption.size() || caption[i + 1] != L'\n');
        if (loneCr) shown.push_back(L'\n');
    }
    return shown;
}

void CaptionLabel::SetCaption(std::wstring_view caption) {
    caption_ = caption;
    SetText(LineBreaksForDisplay(caption_));
}

}  // namespace quellix
