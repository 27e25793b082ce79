#include "keywords/blank_keyword.h"
#include "keywords/keyword_rewrite.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

namespace quellix {
namespace {

struct RewriteCase {
    std::string_view file;
    std::string_view match;
    std::optional<std::string_view> replacement;
    std::string_view expected;
};

const RewriteCase kRewriteCases[] = {
    {"abc\r\nx\r\nabc\r\nabc\r\n", "abc", "def", "def\r\nx\r\ndef\r\ndef\r\n"},
    {"abc\r\nx\r\nabc\r\n", "abc", std::nullopt, "x\r\n"},
    {"abc\r\n", "Abc", std::nullopt, "abc\r\n"},
    {"abc\r\n", "ab", std::nullopt, "abc\r\n"},
    {"a, b\r\n", "zzz", std::nullopt, "a\r\nb\r\n"},
    {"\"a, b\"\r\n\"  ad \"\r\n\"\tx\"\r\nc\r\n", "c", std::nullopt, "\"a, b\"\r\n\"  ad \"\r\n\"\tx\"\r\n"},
    {"\"a,b\" junk\r\n\"plain\"\r\n  x  \r\na\"b\"\r\n", "zzz", std::nullopt, "\"a,b\"\r\nplain\r\nx\r\na\"b\"\r\n"},
    {"x\r\n", "x", " a, b ", " a, b \r\n"},
    {"\"a, b\"\r\nc\r\n", "a, b", std::nullopt, "c\r\n"},
    {"only\r\n", "only", std::nullopt, ""},
    {"a,b\nc", "b", "b", "a\r\nb\r\nc\r\n"},
    {"x\r\n\r\ny\r\n", "y", "z", "x\r\n\r\nz\r\n"},
    {"", "a", "b", ""},
};

TEST(RewriteKeywords, WritesOneFieldPerLineThatReadsBackTheSame) {
    for (const RewriteCase& c : kRewriteCases) {
        const auto equal = [&](std::string_view field) { return field == c.match; };
        EXPECT_EQ(RewriteKeywords(c.file, equal, c.replacement), c.expected)
            << testing::PrintToString(std::string(c.file)) << " match " << c.match;
    }
}

TEST(IsBlankKeyword, OnlySpacesCountAsBlank) {
    const struct {
        std::wstring_view text;
        bool blank;
    } cases[] = {
        {L"", true}, {L"   ", true}, {L"\t", false}, {L" \t ", false}, {L" a ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsBlankKeyword(c.text), c.blank) << c.text.size();
}

}  // namespace
}  // namespace quellix
