// The main window's keyword list and its Delete button.
#include "app/form1.h"
#include "keywords/edit_message.h"
#include "keywords/keyword_list.h"
#include "platform/message_box.h"

namespace quellix {

// Rebuilds the list from the file; the scan pauses while the file is read.
void Form1::LoadKeywords() {
    Timer1.SetEnabled(false);
    lstKeyword.Clear();
    for (const std::wstring& keyword : ReadKeywordList()) lstKeyword.AddItem(keyword);
    cmdDelete.SetEnabled(lstKeyword.ListCount() > 0);
    Timer1.SetEnabled(true);
}

// Removes every field equal to the selected entry, with the scan paused while the file is rewritten, and
// shows the list as the file now holds it; a delete that could not be saved is reported and changes nothing.
void Form1::cmdDelete_Click() {
    const int index = lstKeyword.ListIndex();
    if (index == -1) {
        ShowStopMessage(Handle(), L"First select an entry to delete!");
        return;
    }
    const std::wstring keyword = lstKeyword.List(index);
    Timer1.SetEnabled(false);
    const EditResult result = DeleteKeyword(keyword);
    Timer1.SetEnabled(true);
    if (EditSaved(Handle(), result)) LoadKeywords();
}

}  // namespace quellix
