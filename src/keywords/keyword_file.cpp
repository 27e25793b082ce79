#include "keywords/keyword_file.h"

namespace quellix {
namespace {

// The scanning rules live here as free functions so the header stays a plain reader.
template <class CharT>
struct Scan {
    std::basic_string_view<CharT> text;
    std::size_t& pos;

    static constexpr CharT kComma = static_cast<CharT>(',');
    static constexpr CharT kQuote = static_cast<CharT>('"');
    static constexpr CharT kCr = static_cast<CharT>('\r');
    static constexpr CharT kLf = static_cast<CharT>('\n');

    bool AtEnd() const { return pos >= text.size(); }
    CharT Peek() const { return text[pos]; }

    static bool IsBlank(CharT c) { return c == static_cast<CharT>(' ') || c == static_cast<CharT>('\t'); }
    static bool IsLineEnd(CharT c) { return c == kCr || c == kLf; }
    static bool IsStop(CharT c) { return c == kComma || IsLineEnd(c); }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) ++pos;
    }

    // CR LF, a lone CR and a lone LF each count as one line end.
    void ConsumeLineEnd() {
        const bool cr = Peek() == kCr;
        ++pos;
        if (cr && !AtEnd() && Peek() == kLf) ++pos;
    }

    // A trailing comma must not invent an empty field, so the line end (or the end of
    // the text) right after it goes with it.
    void ConsumeAfterComma() {
        const std::size_t afterComma = pos;
        SkipBlanks();
        if (AtEnd()) return;
        if (IsLineEnd(Peek())) {
            ConsumeLineEnd();
        } else {
            pos = afterComma;
        }
    }

    // Eats the comma or line end that closes a field; at the end of the text there is none.
    void ConsumeTerminator() {
        if (AtEnd()) return;
        if (Peek() == kComma) {
            ++pos;
            ConsumeAfterComma();
        } else {
            ConsumeLineEnd();
        }
    }

    std::size_t FindStop(std::size_t from) const {
        while (from < text.size() && !IsStop(text[from])) ++from;
        return from;
    }

    // A quote not closed on its own line ends with the line: otherwise one stray quote would swallow every
    // keyword after it.
    std::basic_string_view<CharT> ReadQuoted() {
        const std::size_t start = pos + 1;
        std::size_t close = start;
        while (close < text.size() && text[close] != kQuote && !IsLineEnd(text[close])) ++close;
        const bool closed = close < text.size() && text[close] == kQuote;
        pos = closed ? FindStop(close + 1) : close;
        ConsumeTerminator();
        return text.substr(start, close - start);
    }

    std::basic_string_view<CharT> ReadUnquoted() {
        const std::size_t start = pos;
        std::size_t stop = FindStop(start);
        pos = stop;
        ConsumeTerminator();
        while (stop > start && IsBlank(text[stop - 1])) --stop;
        return text.substr(start, stop - start);
    }

    std::basic_string_view<CharT> ReadField() {
        SkipBlanks();
        // Empty fields still point into the text, so callers can rely on every view being inside it.
        const auto empty = text.substr(pos, 0);
        if (AtEnd()) return empty;
        if (IsStop(Peek())) {
            ConsumeTerminator();
            return empty;
        }
        return Peek() == kQuote ? ReadQuoted() : ReadUnquoted();
    }
};

}  // namespace

template <class CharT>
KeywordReader<CharT>::KeywordReader(std::basic_string_view<CharT> text) noexcept : text_(text) {}

template <class CharT>
bool KeywordReader<CharT>::AtEnd() const noexcept {
    return pos_ >= text_.size();
}

template <class CharT>
std::basic_string_view<CharT> KeywordReader<CharT>::ReadKeywordField() noexcept {
    return Scan<CharT>{text_, pos_}.ReadField();
}

template class KeywordReader<char>;
template class KeywordReader<wchar_t>;

void WriteKeywordLine(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

void WriteKeywordField(std::string& out, std::string_view field) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool needsQuotes = !field.empty() && (field.find(',') != std::string_view::npos || blank(field.front()) ||
                                                blank(field.back()));
    if (!needsQuotes || field.find('"') != std::string_view::npos) {
        WriteKeywordLine(out, field);
        return;
    }
    out.push_back('"');
    out.append(field);
    out.append("\"\r\n");
}

}  // namespace quellix
