#include "keywords/keyword_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {
namespace {

using namespace std::literals;

template <class CharT>
std::vector<std::basic_string<CharT>> ReadAll(std::basic_string_view<CharT> text) {
    std::vector<std::basic_string<CharT>> fields;
    KeywordReader<CharT> reader(text);
    while (!reader.AtEnd()) fields.emplace_back(reader.ReadKeywordField());
    return fields;
}

std::wstring Widen(std::string_view bytes) {
    std::wstring wide;
    for (const char c : bytes) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

struct ReadCase {
    std::string_view text;
    std::vector<std::string> fields;
};

const ReadCase kReadCases[] = {
    {""sv, {}},
    {"abc\r\n"sv, {"abc"}},
    {"abc"sv, {"abc"}},
    {"a\rb\nc\r\n"sv, {"a", "b", "c"}},
    {"a\n\rb"sv, {"a", "", "b"}},
    {"\r\n\r\n"sv, {"", ""}},
    {"a,b\r\nc"sv, {"a", "b", "c"}},
    {"a,\r\nb"sv, {"a", "b"}},
    {"a, \t\r\n"sv, {"a"}},
    {"a,"sv, {"a"}},
    {",\r\n"sv, {""}},
    {"a,,b"sv, {"a", "", "b"}},
    {",,\r\n"sv, {"", ""}},
    {" \t a b \t\r\n"sv, {"a b"}},
    {" \t \r\n"sv, {""}},
    {"a\r\n  "sv, {"a", ""}},
    {"\"a, b\"\r\nc"sv, {"a, b", "c"}},
    {"\"x\r\ny\""sv, {"x", "y\""}},
    {"\"ab\" junk,c"sv, {"ab", "c"}},
    {"\"ab\",\r\nc"sv, {"ab", "c"}},
    {"\"\"\r\n"sv, {""}},
    {"\"open\r\nrest"sv, {"open", "rest"}},
    {"\"Free\r\npoker\r\n"sv, {"Free", "poker"}},
    {"\"a, b\nc"sv, {"a, b", "c"}},
    {"\"lone\rx,\"y\""sv, {"lone", "x", "y"}},
    {"\"end"sv, {"end"}},
    {"a\"b\"c\r\n"sv, {"a\"b\"c"}},
    {"a\0b\r\n\0"sv, {"a\0b"s, "\0"s}},
};

TEST(KeywordReader, CutsBytesAndWideTextIntoFields) {
    for (const ReadCase& c : kReadCases) {
        const std::string shown = testing::PrintToString(std::string(c.text));
        EXPECT_EQ(ReadAll(c.text), c.fields) << shown;
        std::vector<std::wstring> wideFields;
        for (const std::string& field : c.fields) wideFields.push_back(Widen(field));
        const std::wstring wide = Widen(c.text);
        EXPECT_EQ(ReadAll(std::wstring_view(wide)), wideFields) << shown;
    }
}

TEST(WriteKeywordLine, AppendsTextVerbatimThenCrLf) {
    std::string out = "x\r\n";
    WriteKeywordLine(out, " a,\"b\" ");
    WriteKeywordLine(out, "");
    EXPECT_EQ(out, "x\r\n a,\"b\" \r\n\r\n");
}

// Texts a file can hold as fields: anything but quotes and line ends; commas and blanks at either end only where
// the field writer is used, which quotes them.
std::string RandomKeyword(std::mt19937& rng, bool quotable) {
    const std::string_view edgeChars = quotable ? "aZ9!-_.\x7f\x80\xe9\xff, \t"sv : "aZ9!-_.\x7f\x80\xe9\xff"sv;
    const std::string_view innerChars = quotable ? "aZ9!-_.\x7f\x80\xe9\xff \t,"sv : "aZ9!-_.\x7f\x80\xe9\xff \t"sv;
    const std::size_t length = 1 + rng() % 12;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const bool edge = i == 0 || i + 1 == length;
        const std::string_view from = edge ? edgeChars : innerChars;
        text.push_back(from[rng() % from.size()]);
    }
    return text;
}

TEST(KeywordReader, ReadsBackEveryWrittenFile) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> keywords(rng() % 8);
        std::string file;
        const bool quotable = round % 2 == 1;
        for (std::string& keyword : keywords) {
            keyword = RandomKeyword(rng, quotable);
            if (quotable) {
                WriteKeywordField(file, keyword);
            } else {
                WriteKeywordLine(file, keyword);
            }
        }
        ASSERT_EQ(ReadAll(std::string_view(file)), keywords);
        const std::wstring wide = Widen(file);
        ASSERT_EQ(ReadAll(std::wstring_view(wide)).size(), keywords.size());
    }
}

}  // namespace
}  // namespace quellix
