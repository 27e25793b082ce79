#include "app/form1.h"
#include "keywords/keyword_edits.h"
#include "platform/message_box.h"

namespace quellix {

// Removes every field equal to the selected entry, with the scan paused while the file is rewritten, and
// shows the list as the file now holds it.
void Form1::cmdDelete_Click() {
    const int index = lstKeyword.ListIndex();
    if (index == -1) {
        ShowStopMessage(Handle(), L"First select an entry to delete!");
        return;
    }
    const std::wstring keyword = lstKeyword.List(index);
    Timer1.SetEnabled(false);
    DeleteKeyword(keyword);
    Timer1.SetEnabled(true);
    LoadKeywords();
}

}  // namespace quellix
