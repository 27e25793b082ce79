#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quellix {

// Cuts a keyword file's whole text into fields. Works on bytes (char) and on wide text (wchar_t).
template <class CharT>
class KeywordReader {
public:
    explicit KeywordReader(std::basic_string_view<CharT> text) noexcept;
    // True when no character is left to read.
    bool AtEnd() const noexcept;
    // The next field. Call only while !AtEnd(). Returns a view into the text.
    std::basic_string_view<CharT> ReadKeywordField() noexcept;

private:
    std::basic_string_view<CharT> text_;
    std::size_t pos_ = 0;
};

extern template class KeywordReader<char>;
extern template class KeywordReader<wchar_t>;

// Appends text exactly as given (nothing quoted, escaped or trimmed) followed by CR LF.
void WriteKeywordLine(std::string& out, std::string_view text);

// Appends a field as the reader cut it, as one line that reads back as that same field: in double quotes when it
// holds a comma or begins or ends with a blank or tab, otherwise exactly as WriteKeywordLine would. The reader has
// no escape for a double quote, so a text that holds one is never quoted; no field the reader returns needs both.
void WriteKeywordField(std::string& out, std::string_view field);

}  // namespace quellix
