#include "dialogs/frm_add.h"

#include "dialogs/center_form.h"
#include "keywords/blank_keyword.h"
#include "keywords/edit_message.h"
#include "platform/message_box.h"

namespace quellix {

namespace {
constexpr wchar_t kCaption[] = L"Enter title keywords of popup window";
}

Form::Layout frmAdd::GetLayout() const { return {kCaption, 4710, 1230, false}; }

void frmAdd::CreateControls() {
    cmdCancel.Create(*this, kCmdCancel, L"&Cancel", {3240, 720, 1215, 360});
    txtTitle.Create(*this, kTxtTitle, {0, 120, 4455, 375});
    txtTitle.SetAccessibleName(kCaption);  // the caption is the prompt: no label stands above the box
    cmdOK.Create(*this, kCmdOK, L"&OK", {1800, 720, 1215, 360}, Button::kDefault);
    SetTabOrder({cmdOK.Handle(), txtTitle.Handle(), cmdCancel.Handle()});
}

void frmAdd::Form_Load() { CenterForm(*this); }

// The tab order would put the focus on OK; typing is what the dialog is for.
void frmAdd::Form_Activate() { txtTitle.Focus(); }

void frmAdd::cmdCancel_Click() { Unload(); }

void frmAdd::cmdOK_Click() {
    const std::wstring title = txtTitle.Text();
    if (IsBlankKeyword(title)) {
        ShowStopMessage(Handle(), L"Title can't be blank!");
        return;
    }
    // As typed, blanks at the ends included. Should it fail, the text stays for another try or Cancel.
    if (EditSaved(Handle(), AppendKeyword(title))) Unload();
}

void frmAdd::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case kCmdCancel: return cmdCancel_Click();
    case kCmdOK: return cmdOK_Click();
    }
}

}  // namespace quellix
