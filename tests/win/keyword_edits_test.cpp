#include "keywords/keyword_edits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "keywords/keyword_list.h"
#include "keywords/keyword_paths.h"
#include "platform/ansi_text.h"
#include "platform/file_access.h"
#include "platform/win_handle.h"
#include "scanner/scan_walk.h"
#include "support/temp_files.h"

namespace quellix::test {
namespace {

class KeywordEditsTest : public ::testing::Test {
protected:
    KeywordSandbox files;
};

// Every field is an entry, in file order, empty ones included; reading never creates the file.
TEST_F(KeywordEditsTest, TheListHoldsEveryFieldInFileOrder) {
    const struct {
        const char* file;  // nullptr: no keyword file
        std::vector<std::wstring> items;
    } cases[] = {
        {nullptr, {}},
        {"", {}},
        {"Casino\r\nPoker\r\n", {L"Casino", L"Poker"}},
        {"Casino, Poker\r\n", {L"Casino", L"Poker"}},
        {"a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
        {"a,,b\r\n", {L"a", L"", L"b"}},
        {"same\r\nsame\r\n", {L"same", L"same"}},
        {"caf\xe9\r\n", {L"caf\u00e9"}},
    };
    for (const auto& c : cases) {
        files.keywords.WriteOrRemove(c.file);
        EXPECT_EQ(ReadKeywordList(), c.items) << (c.file ? c.file : "<no file>");
        EXPECT_EQ(files.keywords.Exists(), c.file != nullptr) << "reading never creates the file";
    }
}

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
        {"a, b\r\n\"c,d\"\r\ne\r\n", [] { DeleteKeyword(L"e"); }, "a\r\nb\r\n\"c,d\"\r\n"},
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
    ASSERT_TRUE(::SetFileAttributesW(KeywordFilePath().c_str(), FILE_ATTRIBUTE_READONLY));
    bothEdits();
    AppendKeyword(L"more");
    EXPECT_EQ(files.keywords.Read(), old) << "read-only keyword file";
    EXPECT_FALSE(files.scratch.Exists()) << "read-only keyword file";
    files.keywords.Remove();
    files.scratch.Remove();

    files.keywords.Write(old);
    {
        // Readable, but the holder does not let it be replaced.
        FileHandle holder(::CreateFileW(KeywordFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "keyword file held open";
    EXPECT_FALSE(files.scratch.Exists()) << "keyword file held open";

    {
        FileHandle holder(::CreateFileW(KeywordFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "keyword file unreadable";
    EXPECT_FALSE(files.scratch.Exists()) << "keyword file unreadable";

    ASSERT_TRUE(::CreateDirectoryW(ScratchFilePath().c_str(), nullptr));
    bothEdits();
    EXPECT_EQ(files.keywords.Read(), old) << "scratch file not creatable";
    EXPECT_TRUE(::GetFileAttributesW(ScratchFilePath().c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    files.scratch.Remove();

    files.scratch.Write("someone else's");
    {
        FileHandle holder(::CreateFileW(ScratchFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(holder);
        bothEdits();
    }
    EXPECT_EQ(files.keywords.Read(), old) << "scratch file held open";
}

// Each failing step names itself, and the keyword file stays as it was. (The code page and the read-only
// attribute are tried through the dialogs, end to end.)
TEST_F(KeywordEditsTest, EditsSayWhichStepFailed) {
    const std::string old = "abc\r\nx\r\n";
    const auto scratchIsAFolder = [] {
        ::CreateDirectoryW(ScratchFilePath().c_str(), nullptr);
        return FileHandle();
    };
    const auto heldSharing = [](DWORD share) {
        return [share] {
            return FileHandle(::CreateFileW(KeywordFilePath().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0,
                                            nullptr));
        };
    };
    const struct {
        const char* name;
        std::function<FileHandle()> arrange;
        std::function<EditResult()> edit;
        EditResult expected;
    } cases[] = {
        {"unreadable append", heldSharing(0), [] { return AppendKeyword(L"roulette"); }, EditResult::kFileUnreadable},
        {"unreadable replace", heldSharing(0), [] { return ReplaceKeyword(L"abc", L"d"); },
         EditResult::kFileUnreadable},
        {"append refused", heldSharing(FILE_SHARE_READ), [] { return AppendKeyword(L"roulette"); },
         EditResult::kFileNotWritten},
        {"scratch not creatable", scratchIsAFolder, [] { return DeleteKeyword(L"abc"); },
         EditResult::kScratchNotWritten},
        {"held past the retries", heldSharing(FILE_SHARE_READ), [] { return ReplaceKeyword(L"abc", L"d"); },
         EditResult::kFileNotReplaced},
    };
    for (const auto& c : cases) {
        files.keywords.Remove();
        files.scratch.Remove();
        files.keywords.Write(old);
        {
            const FileHandle holder = c.arrange();
            EXPECT_EQ(c.edit(), c.expected) << c.name;
        }
        EXPECT_EQ(files.keywords.Read(), old) << c.name;
    }
}

// A virus scanner or an indexer may hold the new file for a moment; the replacement waits it out.
TEST_F(KeywordEditsTest, ReplacementWaitsForAFileHeldAMoment) {
    files.keywords.Write("abc\r\nx\r\n");
    KernelHandle opened(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        FileHandle file(::CreateFileW(KeywordFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      0, nullptr));
        ::SetEvent(opened.get());
        ::Sleep(300);
    });
    ::WaitForSingleObject(opened.get(), 5000);
    EXPECT_EQ(ReplaceKeyword(L"abc", L"def"), EditResult::kSaved);
    holder.join();
    EXPECT_EQ(files.keywords.Read(), "def\r\nx\r\n");
    EXPECT_FALSE(files.scratch.Exists());
}

// A keyword file beyond the size limit is unreadable to the list, the scan and the edits alike; one at the limit
// is read.
TEST_F(KeywordEditsTest, KeywordFileBeyondTheLimitIsUnreadable) {
    const HWND casino = ::CreateWindowExW(0, L"STATIC", L"casino", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                          nullptr);
    ::ShowWindow(casino, SW_SHOWNOACTIVATE);  // the scan asks only windows a user can see
    for (const std::uint64_t size : {kMaxWholeFileSize, kMaxWholeFileSize + 1}) {
        files.keywords.Write("casino\r\n");
        {
            FileHandle file(::CreateFileW(KeywordFilePath().c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                                          nullptr));
            LARGE_INTEGER end{};
            end.QuadPart = static_cast<LONGLONG>(size);
            ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.get()));
        }
        const bool readable = size <= kMaxWholeFileSize;
        EXPECT_EQ(ReadKeywordList().size(), readable ? 2u : 0u) << size;
        ScanWalk walk;
        walk.keywordPath = KeywordFilePath();
        EXPECT_EQ(FindFirstPopup(walk) != nullptr, readable) << size;
        if (readable) continue;
        EXPECT_EQ(AppendKeyword(L"more"), EditResult::kFileUnreadable);
        EXPECT_EQ(ReplaceKeyword(L"casino", L"poker"), EditResult::kFileUnreadable);
        EXPECT_EQ(DeleteKeyword(L"casino"), EditResult::kFileUnreadable);
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ASSERT_TRUE(::GetFileAttributesExW(KeywordFilePath().c_str(), GetFileExInfoStandard, &data));
        EXPECT_EQ(data.nFileSizeLow, static_cast<DWORD>(size));
        EXPECT_FALSE(files.scratch.Exists());
    }
    ::DestroyWindow(casino);
}

}  // namespace
}  // namespace quellix::test
