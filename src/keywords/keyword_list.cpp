#include "keywords/keyword_list.h"

#include <exception>
#include <string_view>

#include "keywords/keyword_file.h"
#include "keywords/keyword_paths.h"
#include "platform/ansi_text.h"
#include "platform/file_access.h"

namespace quellix {

// Cut into fields as bytes and converted field by field, exactly as the edits see them, so every entry shown can
// be found again by Edit and Delete.
std::vector<std::wstring> ReadKeywordList() {
    // Memory running out over a keyword file too large to hold counts as an unreadable file: no exception may
    // reach the window procedure that fills the list.
    try {
        std::vector<std::wstring> keywords;
        const auto bytes = ReadWholeFile(KeywordFilePath());
        if (!bytes) return keywords;
        KeywordReader<char> reader(*bytes);
        while (!reader.AtEnd()) keywords.push_back(FromAnsi(reader.ReadKeywordField()));
        return keywords;
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace quellix
