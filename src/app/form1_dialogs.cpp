// The main window's buttons that open a dialog: Add, Edit (and a double-click in the list), About.
#include "app/form1.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_add.h"
#include "dialogs/frm_edit.h"
#include "platform/message_box.h"

namespace quellix {

// The Add and Edit dialogs edit the keyword file that the scan reads, so the scan is off for as long as one is
// open, and switched on here once it is gone. Each opening builds the dialog afresh: nothing typed earlier
// survives.
void Form1::cmdAdd_Click() {
    Timer1.SetEnabled(false);
    frmAdd dialog;
    dialog.ShowModal(Handle());
    Timer1.SetEnabled(true);
}

void Form1::cmdEdit_Click() {
    if (lstKeyword.ListIndex() == -1) {
        ShowStopMessage(Handle(), L"First select an entry to edit!");
        return;
    }
    Timer1.SetEnabled(false);
    frmEdit dialog(lstKeyword);
    dialog.ShowModal(Handle());
    Timer1.SetEnabled(true);
}

void Form1::lstKeyword_DblClick() { cmdEdit_Click(); }

// The About window changes nothing, so the scan keeps running while it is open.
void Form1::cmdAbout_Click() {
    frmAbout about;
    about.ShowModal(Handle());
}

}  // namespace quellix
