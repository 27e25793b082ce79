#include "app/form1.h"
#include "dialogs/frm_add.h"
#include "dialogs/frm_edit.h"
#include "platform/message_box.h"

namespace quellix {

// The dialogs edit the keyword file that the scan reads, so the scan is off for as long as one is open. Each
// opening builds the dialog afresh: nothing typed earlier survives.
void Form1::cmdAdd_Click() {
    Timer1.SetEnabled(false);
    frmAdd dialog(Timer1);
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

}  // namespace quellix
