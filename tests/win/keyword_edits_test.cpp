#include "keywords/keyword_edits.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "keywords/keyword_paths.h"
#include "platform/ansi_text.h"
#include "platform/win_handle.h"
#include "support/temp_files.h"

namespace quellix::test {
namespace {

class KeywordEditsTest : public ::testing::Test {
protected:
    KeywordSandbox files;
};

TEST_F(KeywordEditsTest, AppendWritesTheTextAsTypedAndCreatesTheFile) {
    AppendKeyword(L"casino");
    EXPECT_EQ(files.keywords.Read(), "casino\r\n");
    AppendKeyword(L"casino");
    AppendKeyword(L"  a, b ");
    AppendKeyword(L"\t");
    EXPECT_EQ(files.keywords.Read(), "casino\r\ncasino\r\n  a, b \r\n\t\r\n");
    EXPECT_FALSE(files.scratch.Exists());
}

// Appending after a last line without a line end must not join the new keyword to the old one.
TEST_F(KeywordEditsTest, AppendAfterAnUnfinishedLastLineStartsANewLine) {
    const struct {
        const char* file;
        const char* expected;
    } cases[] = {
        {"casino", "casino\r\npoker\r\n"},
        {"casino\r\n", "casino\r\npoker\r\n"},
        {"casino\n", "casino\npoker\r\n"},
        {"casino\r", "casino\rpoker\r\n"},
        {"", "poker\r\n"},
    };
    for (const auto& c : cases) {
        files.keywords.Write(c.file);
        AppendKeyword(L"poker");
        EXPECT_EQ(files.keywords.Read(), c.expected) << testing::PrintToString(std::string(c.file));
    }
}

TEST_F(KeywordEditsTest, RewritesPutEveryFieldOnALineAndTouchOnlyEqualFields) {
    const struct {
        const char* file;
        std::function<void()> edit;
        const char* expected;
    } cases[] = {
        {"abc\r\nx\r\nabc\r\nabc\r\n", [] { ReplaceKeyword(L"abc", L"def"); }, "def\r\nx\r\ndef\r\ndef\r\n"},
        {"abc\r\nx\r\nabc\r\n", [] { DeleteKeyword(L"abc"); }, "x\r\n"},
        {"abc\r\nAbc\r\nabcd\r\n", [] { DeleteKeyword(L"Abc"); }, "abc\r\nabcd\r\n"},
        {"a, b\r\n\"c,d\"\r\ne\r\n", [] { DeleteKeyword(L"e"); }, "a\r\nb\r\nc,d\r\n"},
        {"same\r\n", [] { ReplaceKeyword(L"same", L"same"); }, "same\r\n"},
        {"x\r\ny", [] { ReplaceKeyword(L"x", L" spaced "); }, " spaced \r\ny\r\n"},
        {"only\r\n", [] { DeleteKeyword(L"only"); }, ""},
    };
    for (const auto& c : cases) {
        files.keywords.Write(c.file);
        c.edit();
        EXPECT_EQ(files.keywords.Read(), c.expected) << testing::PrintToString(std::string(c.file));
        EXPECT_FALSE(files.scratch.Exists());
    }
}

// List entries are wide text made from the file's ANSI bytes; the edit must find those same bytes again.
TEST_F(KeywordEditsTest, WideEntriesMatchTheirAnsiBytes) {
    const std::string accented = "caf\xe9";
    files.keywords.Write(accented + "\r\nplain\r\n" + accented + "\r\n");
    const std::wstring entry = FromAnsi(accented);
    ASSERT_EQ(ToAnsi(entry), accented) << "the test needs a code page that holds this character";
    ReplaceKeyword(entry, L"tea");
    EXPECT_EQ(files.keywords.Read(), "tea\r\nplain\r\ntea\r\n");
    DeleteKeyword(L"plain");
    EXPECT_EQ(files.keywords.Read(), "tea\r\ntea\r\n");
}

TEST_F(KeywordEditsTest, RewriteOfAMissingFileCreatesNothing) {
    ReplaceKeyword(L"abc", L"def");
    DeleteKeyword(L"abc");
    EXPECT_FALSE(files.keywords.Exists());
    EXPECT_FALSE(files.scratch.Exists());
}

TEST_F(KeywordEditsTest, LeftoverScratchFileDoesNoHarm) {
    files.scratch.Write(std::string(5000, 'z'));
    files.keywords.Write("abc\r\nx\r\n");
    DeleteKeyword(L"abc");
    EXPECT_EQ(files.keywords.Read(), "x\r\n");
    EXPECT_FALSE(files.scratch.Exists());
}

// Whatever step fails, the keyword file keeps its complete old content and no scratch file is left behind.
TEST_F(KeywordEditsTest, FailedRewriteKeepsTheOldFile) {
    const std::string old = "abc\r\nx\r\nabc\r\n";
    const auto bothEdits = [] {
        ReplaceKeyword(L"abc", L"def");
        DeleteKeyword(L"x");
    };

    files.keywords.Write(old);
    ASSERT_TRUE(::SetFileAttributesA(KeywordFilePath().c_str(), FILE_ATTRIBUTE_READONLY));
    bothEdits();
    AppendKeyword(L"more");
    EXPECT_EQ(files.keywords.Read(), old) << "read-only keyword file";
    EXPECT_FALSE(files.scratch.Exists()) << "read-only keyword file";
    files.keywords.Remove();
    files.scratch.Remove();

    files.keywords.Write(old);
    {
        // Readable, but the holder does not let it be replaced.
        FileHandle holder(::CreateFileA(KeywordFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "keyword file held open";
    EXPECT_FALSE(files.scratch.Exists()) << "keyword file held open";

    {
        FileHandle holder(::CreateFileA(KeywordFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "keyword file unreadable";
    EXPECT_FALSE(files.scratch.Exists()) << "keyword file unreadable";

    ASSERT_TRUE(::CreateDirectoryA(ScratchFilePath().c_str(), nullptr));
    bothEdits();
    EXPECT_EQ(files.keywords.Read(), old) << "scratch file not creatable";
    EXPECT_TRUE(::GetFileAttributesA(ScratchFilePath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    files.scratch.Remove();

    files.scratch.Write("someone else's");
    {
        FileHandle holder(::CreateFileA(ScratchFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "scratch file held open";
}

}  // namespace
}  // namespace quellix::test
