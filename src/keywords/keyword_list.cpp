#include "keywords/keyword_list.h"

#include "keywords/keyword_file.h"
#include "keywords/keyword_paths.h"
#include "platform/ansi_text.h"
#include "platform/file_access.h"

namespace quellix {

std::vector<std::wstring> ReadKeywordList() {
    std::vector<std::wstring> keywords;
    const auto bytes = ReadWholeFile(KeywordFilePath());
    if (!bytes) return keywords;
    const std::wstring text = FromAnsi(*bytes);
    KeywordReader<wchar_t> reader(text);
    while (!reader.AtEnd()) keywords.emplace_back(reader.ReadKeywordField());
    return keywords;
}

}  // namespace quellix
