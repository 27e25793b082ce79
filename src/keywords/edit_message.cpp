#include "keywords/edit_message.h"

#include "platform/message_box.h"

namespace quellix {
namespace {

const wchar_t* FailureMessage(EditResult result) {
    switch (result) {
    case EditResult::kSaved: break;
    case EditResult::kNotInCodePage:
        return L"Keyword not saved: it has characters that this system's code page can't store!";
    case EditResult::kFileReadOnly: return L"Change not saved: values.zap is read-only!";
    case EditResult::kFileUnreadable: return L"Change not saved: values.zap could not be read!";
    case EditResult::kFileNotWritten: return L"Change not saved: values.zap could not be written!";
    case EditResult::kScratchNotWritten: return L"Change not saved: temp.zap could not be written!";
    case EditResult::kFileNotReplaced: return L"Change not saved: values.zap is in use by another program!";
    }
    return L"";
}

}  // namespace

bool EditSaved(HWND owner, EditResult result) {
    if (result == EditResult::kSaved) return true;
    ShowStopMessage(owner, FailureMessage(result));
    return false;
}

}  // namespace quellix
