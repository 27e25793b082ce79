#include "dialogs/frm_add.h"

#include <commctrl.h>

#include "dialogs/center_form.h"
#include "keywords/keyword_edits.h"
#include "keywords/keyword_rewrite.h"
#include "platform/message_box.h"

namespace quellix {

Form::Layout frmAdd::GetLayout() const { return {L"Enter title keywords of popup window", 4710, 1230, false}; }

void frmAdd::CreateControls() {
    cmdCancel.Attach(
        CreateChild(WC_BUTTONW, L"&Cancel", Button::Style(false), kCmdCancel, {3240, 720, 1215, 360}));
    txtTitle.Attach(CreateChild(WC_EDITW, L"", TextBox::Style(), kTxtTitle, {0, 120, 4455, 375}));
    cmdOK.Attach(CreateChild(WC_BUTTONW, L"&OK", Button::Style(true), kCmdOK, {1800, 720, 1215, 360}));
    // Lift the control's default limit of 32767 characters: a keyword may be as long as the user likes.
    ::SendMessageW(txtTitle.Handle(), EM_LIMITTEXT, 0, 0);
    SetTabOrder({cmdOK.Handle(), txtTitle.Handle(), cmdCancel.Handle()});
    SetDefaultButton(kCmdOK);
}

void frmAdd::Form_Load() { CenterForm(*this); }

// The tab order would put the focus on OK; typing is what the dialog is for.
void frmAdd::Form_Activate() { txtTitle.Focus(); }

void frmAdd::Form_Unload() { timer1_.SetEnabled(true); }

void frmAdd::cmdCancel_Click() { Unload(); }

void frmAdd::cmdOK_Click() {
    const std::wstring title = txtTitle.Text();
    if (IsBlankKeyword(title)) {
        ShowStopMessage(Handle(), L"Title can't be blank!");
        return;
    }
    AppendKeyword(title);  // as typed, blanks at the ends included
    Unload();
}

void frmAdd::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case kCmdCancel: return cmdCancel_Click();
    case kCmdOK: return cmdOK_Click();
    }
}

}  // namespace quellix
