#include "app/form1.h"
#include "dialogs/frm_about.h"

namespace quellix {

// Built afresh for each opening and shown modally; the scan timer keeps running meanwhile.
void Form1::cmdAbout_Click() {
    frmAbout about;
    about.ShowModal(Handle());
}

}  // namespace quellix
