#include "scanner/title_match.h"

#include "keywords/keyword_file.h"

namespace quellix {

bool TitleMatchesAnyKeyword(std::wstring_view upperTitle, std::wstring_view upperFileText) noexcept {
    KeywordReader<wchar_t> reader(upperFileText);
    while (!reader.AtEnd()) {
        const std::wstring_view keyword = reader.ReadKeywordField();
        if (!keyword.empty() && upperTitle.find(keyword) != std::wstring_view::npos) return true;
    }
    return false;
}

}  // namespace quellix
