// Feeds arbitrary bytes to the keyword reader, the rewrite and the title search built on it. Any
// broken invariant aborts, so libFuzzer records the input as a crash.
#include "keywords/keyword_file.h"
#include "keywords/keyword_rewrite.h"
#include "scanner/keyword_search.h"
#include "scanner/title_match.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Reads every field, checking each call moves forward and returns a view inside the text of one line: not even
// a quote left open may carry a field past its line end.
template <class CharT>
std::vector<std::basic_string_view<CharT>> ReadChecked(std::basic_string_view<CharT> text) {
    std::vector<std::basic_string_view<CharT>> fields;
    quellix::KeywordReader<CharT> reader(text);
    const CharT* const begin = text.data();
    const CharT* const end = begin + text.size();
    while (!reader.AtEnd()) {
        // Each call must eat at least one character, so there can never be more calls than characters.
        Require(fields.size() < text.size());
        const std::basic_string_view<CharT> field = reader.ReadKeywordField();
        Require(field.data() >= begin && field.data() + field.size() <= end);
        for (const CharT c : field) Require(c != static_cast<CharT>('\r') && c != static_cast<CharT>('\n'));
        fields.push_back(field);
    }
    return fields;
}

std::wstring Widen(std::string_view bytes) {
    std::wstring wide;
    for (const char c : bytes) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

// A rewrite gives back every field it keeps exactly as read, quoted or not, for any input: the reader never
// returns a field that needs quotes and holds a double quote, the one kind the writer could not keep.
void CheckRewrite(std::string_view text, const std::vector<std::string_view>& fields) {
    const auto nothing = [](std::string_view) { return false; };
    const std::string untouched = quellix::RewriteKeywords(text, nothing, std::nullopt);
    Require(ReadChecked(std::string_view(untouched)) == fields);
    if (fields.empty()) return;
    const std::string_view match = fields[fields.size() / 2];
    const auto equal = [&](std::string_view field) { return field == match; };
    std::vector<std::string_view> kept;
    std::vector<std::string_view> replaced;
    for (const std::string_view field : fields) {
        if (field != match) kept.push_back(field);
        replaced.push_back(field == match ? std::string_view("k") : field);
    }
    const std::string afterDelete = quellix::RewriteKeywords(text, equal, std::nullopt);
    Require(ReadChecked(std::string_view(afterDelete)) == kept);
    const std::string afterReplace = quellix::RewriteKeywords(text, equal, std::string_view("k"));
    Require(ReadChecked(std::string_view(afterReplace)) == replaced);
}

// The filed search must answer as the plain one; titles cut from the text itself hold keywords, whole
// or in part, more often than random ones would.
void CheckSearch(std::wstring_view text) {
    quellix::KeywordSearch search;
    search.Assign(text);
    for (const std::wstring_view title : {text.substr(0, text.find(L'\n')), text.substr(text.size() / 3, 40)}) {
        Require(search.FoundIn(title) == quellix::TitleMatchesAnyKeyword(title, text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> fields = ReadChecked(text);
    const std::wstring wide = Widen(text);
    const std::vector<std::wstring_view> wideFields = ReadChecked(std::wstring_view(wide));
    Require(wideFields.size() == fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) Require(wideFields[i].size() == fields[i].size());
    CheckRewrite(text, fields);
    CheckSearch(wide);
    return 0;
}
