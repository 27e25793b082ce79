#include "app/form1.h"
#include "keywords/keyword_file.h"
#include "keywords/keyword_paths.h"
#include "platform/ansi_text.h"
#include "platform/file_access.h"

namespace quellix {

// Rebuilds the list from the file. A missing or unreadable file is an empty list: the normal state
// before the first keyword is added. The scan pauses while the file is read.
void Form1::LoadKeywords() {
    Timer1.SetEnabled(false);
    lstKeyword.Clear();
    if (const auto bytes = ReadWholeFile(KeywordFilePath())) {
        const std::wstring text = FromAnsi(*bytes);
        KeywordReader<wchar_t> reader(text);
        while (!reader.AtEnd()) lstKeyword.AddItem(reader.ReadKeywordField());
    }
    cmdDelete.SetEnabled(lstKeyword.ListCount() > 0);
    Timer1.SetEnabled(true);
}

}  // namespace quellix
