#include "dialogs/frm_edit.h"

#include "dialogs/center_form.h"
#include "keywords/blank_keyword.h"
#include "keywords/edit_message.h"
#include "platform/message_box.h"

namespace quellix {

Form::Layout frmEdit::GetLayout() const { return {L"", 4680, 1065, false}; }

void frmEdit::CreateControls() {
    cmdCancel.Create(*this, kCmdCancel, L"&Cancel", {3240, 600, 1215, 360});
    cmdOk.Create(*this, kCmdOk, L"&OK", {1800, 600, 1215, 360}, Button::kDefault);
    txtEdit.Create(*this, kTxtEdit, {0, 0, 4455, 375});
    SetTabOrder({txtEdit.Handle(), cmdOk.Handle(), cmdCancel.Handle()});
}

void frmEdit::Form_Load() {
    openedFor_ = lstKeyword_.List(lstKeyword_.ListIndex());
    SetCaption(L"Change '" + openedFor_ + L"' to");
    txtEdit.SetAccessibleName(Caption());  // the caption is the prompt: no label stands above the box
    CenterForm(*this);
}

void frmEdit::Form_Activate() { txtEdit.Focus(); }

void frmEdit::cmdCancel_Click() { Unload(); }

// Should the list lose its selection while the dialog is open (a reload behind it), the entry the caption names
// is still the one to replace; an unselected list would otherwise turn the edit into one of empty fields.
std::wstring frmEdit::SelectedKeyword() const {
    const int index = lstKeyword_.ListIndex();
    return index == -1 ? openedFor_ : lstKeyword_.List(index);
}

void frmEdit::cmdOk_Click() {
    const std::wstring oldText = SelectedKeyword();
    const std::wstring newText = txtEdit.Text();
    if (IsBlankKeyword(newText)) {
        ShowStopMessage(Handle(), L"Window title can not be blank!");
        return;
    }
    // Every equal field, not only the selected one. Should it fail, the text stays for another try or Cancel.
    if (EditSaved(Handle(), ReplaceKeyword(oldText, newText))) Unload();
}

void frmEdit::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case kCmdCancel: return cmdCancel_Click();
    case kCmdOk: return cmdOk_Click();
    }
}

}  // namespace quellix
