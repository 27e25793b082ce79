#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_access.h"
#include "platform/win_handle.h"
#include "support/temp_files.h"

namespace quellix::test {
namespace {

// Two files in a fresh folder of their own.
class AtomicFileTest : public ::testing::Test {
protected:
    static bool Exists(const std::wstring& path) { return FileExists(path); }
    static void Write(const std::wstring& path, const std::string& bytes) {
        ASSERT_TRUE(WriteCompleteFile(path, bytes));
    }
    static std::string Read(const std::wstring& path) { return ReadWholeFile(path).value_or("<missing>"); }

    TempFolder folder_{L"quellix-atomic"};
    const std::wstring target_ = folder_.Path(L"target.txt"), source_ = folder_.Path(L"source.txt");
};

// Bytes that differ at every position, so a dropped or repeated chunk shows.
std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    return bytes;
}

TEST_F(AtomicFileTest, WriteCompleteFileWritesEveryByteAndReplacesLongerContent) {
    const std::string large = Pattern(200'000);  // several chunks and a partial last one
    Write(target_, large);
    EXPECT_EQ(Read(target_), large);
    Write(target_, "short\r\n");
    EXPECT_EQ(Read(target_), "short\r\n");
    Write(target_, "");
    EXPECT_EQ(Read(target_), "");
}

TEST_F(AtomicFileTest, WriteFailingPartWayRemovesTheFile) {
    const std::string large = Pattern(200'000);
    const struct {
        const char* name;
        int failAtCall;
        bool halfWritten;
    } cases[] = {
        {"first chunk fails", 1, false}, {"second chunk fails", 2, false}, {"third chunk half written", 3, true}};
    for (const auto& c : cases) {
        Write(source_, "leftover from an earlier run");
        int calls = 0;
        const bool written = WriteCompleteFile(source_, large, [&](HANDLE file, std::string_view chunk) {
            if (++calls < c.failAtCall) return WriteChunk(file, chunk);
            if (c.halfWritten) WriteChunk(file, chunk.substr(0, chunk.size() / 2));
            return false;
        });
        EXPECT_FALSE(written) << c.name;
        EXPECT_EQ(calls, c.failAtCall) << c.name << ": no write after the failing one";
        EXPECT_FALSE(Exists(source_)) << c.name;
    }
}

TEST_F(AtomicFileTest, WriteToAPathThatCannotBeOpenedLeavesItAlone) {
    Write(source_, "held by another program");
    {
        FileHandle holder(::CreateFileW(source_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteCompleteFile(source_, "new"));
    }
    EXPECT_EQ(Read(source_), "held by another program");

    ASSERT_TRUE(::CreateDirectoryW(target_.c_str(), nullptr));
    EXPECT_FALSE(WriteCompleteFile(target_, "new"));
    EXPECT_TRUE(::GetFileAttributesW(target_.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    ::RemoveDirectoryW(target_.c_str());
}

TEST_F(AtomicFileTest, MoveIntoPlaceReplacesOrCreatesTheTarget) {
    Write(target_, "old\r\n");
    Write(source_, "new\r\n");
    EXPECT_TRUE(MoveFileIntoPlace(source_, target_));
    EXPECT_EQ(Read(target_), "new\r\n");
    EXPECT_FALSE(Exists(source_));

    ::DeleteFileW(target_.c_str());
    Write(source_, "created\r\n");
    EXPECT_TRUE(MoveFileIntoPlace(source_, target_));
    EXPECT_EQ(Read(target_), "created\r\n");
}

TEST_F(AtomicFileTest, RefusedMoveKeepsTheTargetAndRemovesTheSource) {
    Write(target_, "old\r\n");

    Write(source_, "new\r\n");
    ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(IsReadOnlyFile(target_));
    EXPECT_FALSE(MoveFileIntoPlace(source_, target_)) << "read-only target";
    EXPECT_EQ(Read(target_), "old\r\n");
    EXPECT_TRUE(IsReadOnlyFile(target_));
    EXPECT_FALSE(Exists(source_));
    ASSERT_TRUE(::SetFileAttributesW(target_.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_FALSE(IsReadOnlyFile(target_));

    Write(source_, "new\r\n");
    {
        FileHandle holder(::CreateFileW(target_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(MoveFileIntoPlace(source_, target_)) << "target held open";
    }
    EXPECT_EQ(Read(target_), "old\r\n");
    EXPECT_FALSE(Exists(source_));

    EXPECT_FALSE(MoveFileIntoPlace(source_, target_)) << "no source";
    EXPECT_EQ(Read(target_), "old\r\n");
}

TEST_F(AtomicFileTest, RelativePathsAreResolvedAgainstTheCurrentFolder) {
    wchar_t previous[MAX_PATH]{};
    ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, previous), 0u);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder_.Path().c_str()));
    const bool written = WriteCompleteFile(L"source.txt", "relative\r\n");
    const bool moved = MoveFileIntoPlace(L"source.txt", L"target.txt");
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(written);
    EXPECT_TRUE(moved);
    EXPECT_EQ(Read(target_), "relative\r\n");
    EXPECT_FALSE(Exists(source_));
}

}  // namespace
}  // namespace quellix::test
