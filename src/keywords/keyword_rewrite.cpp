#include "keywords/keyword_rewrite.h"

#include "keywords/keyword_file.h"

namespace quellix {

std::string RewriteKeywords(std::string_view fileText, const FieldMatch& matches,
                            std::optional<std::string_view> replacement) {
    std::string out;
    out.reserve(fileText.size());
    KeywordReader<char> reader(fileText);
    while (!reader.AtEnd()) {
        const std::string_view field = reader.ReadKeywordField();
        if (!matches(field)) {
            WriteKeywordField(out, field);
        } else if (replacement) {
            WriteKeywordLine(out, *replacement);
        }
    }
    return out;
}

}  // namespace quellix
