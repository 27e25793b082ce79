#include "scanner/title_match.h"

#include <gtest/gtest.h>

#include <string_view>

namespace quellix {
namespace {

struct MatchCase {
    std::wstring_view title;
    std::wstring_view file;
    bool matches;
};

const MatchCase kMatchCases[] = {
    {L"WINDOWS UPDATE", L"WIN\r\n", true},
    {L"FREE  OFFER", L"FREE OFFER\r\n", false},
    {L"AD", L"ADVERT\r\n", false},
    {L"NEWS", L"NOPE\r\nEWS\r\n", true},
    {L"ANY TITLE", L"\r\n\r\n", false},
    {L"ANY TITLE", L",,\r\n", false},
    {L"ANY TITLE", L"  \t \r\n", false},
    {L"ANY TITLE", L"", false},
    {L"", L"A\r\n", false},
    {L"HELLO, WORLD", L"\"O, W\"\r\n", true},
    {L"HELLO, WORLD", L"O, W\r\n", true},
    {L"HELLO WORLD", L"O, X\r\n", true},
};

TEST(TitleMatchesAnyKeyword, FindsNonEmptyKeywordsInsideTitle) {
    for (const MatchCase& c : kMatchCases) {
        EXPECT_EQ(TitleMatchesAnyKeyword(c.title, c.file), c.matches)
            << testing::PrintToString(std::wstring(c.title)) << " / " << testing::PrintToString(std::wstring(c.file));
    }
}

}  // namespace
}  // namespace quellix
