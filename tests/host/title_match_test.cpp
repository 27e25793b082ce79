#include "scanner/title_match.h"

#include "scanner/never_closed.h"

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

// The shell's surfaces, consoles and the hung window's stand-in, as the walk would describe them, whatever their titles.
TEST(IsNeverClosed, TheDesktopsSurfacesConsolesAndStandInsButNotAFolderOrAStoreApp) {
    const struct {
        WindowIdentity window;
        bool neverClosed;
    } cases[] = {
        {{L"Progman", true, true}, true},
        {{L"Shell_TrayWnd"}, true},
        {{L"Shell_SecondaryTrayWnd"}, true},
        {{L"Windows.UI.Core.CoreWindow"}, true},  // Start, Search, the notification panels
        {{L"ConsoleWindowClass"}, true},
        {{L"CASCADIA_HOSTING_WINDOW_CLASS"}, true},
        {{L"PseudoConsoleWindow"}, true},  // what GetConsoleWindow gives programs in Windows Terminal
        {{L"Ghost"}, true},                // the system's "(Not Responding)" stand-in for a hung window
        {{L"MultitaskingViewFrame", false, true}, true},  // the task switcher: the shell's own process
        {{L"CabinetWClass", false, true}, false},         // a folder window of File Explorer
        {{L"ApplicationFrameWindow"}, false},             // a store app's frame
        {{L"#32770"}, false},
        {{L"ConsoleWindowClas"}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNeverClosed(c.window), c.neverClosed) << testing::PrintToString(std::wstring(c.window.className));
    }
}

}  // namespace
}  // namespace quellix
