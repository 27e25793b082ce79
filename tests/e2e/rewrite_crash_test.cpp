#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "platform/ansi_text.h"
#include "platform/win_handle.h"
#include "support/quellix_process.h"

namespace quellix::test {
namespace {

constexpr int kRuns = 60;

// A large keyword file as a rewrite writes it, so that each complete rewrite yields exactly the other version.
std::string KeywordFileWith(const std::string& keyword) {
    std::string bytes;
    for (int line = 0; line < 60000; ++line) {
        bytes += line % 10 == 3 ? keyword : "keyword-" + std::to_string(line);
        bytes += "\r\n";
    }
    return bytes;
}

// A copy of the rewrite worker in a folder of its own, with the keyword file it rewrites.
class CrashSafetyTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring worker = BesideTheExe(L"rewrite_worker.exe");
        ASSERT_TRUE(::CopyFileW(worker.c_str(), Worker().c_str(), FALSE));
    }
    std::wstring Worker() const { return folder_.Path(L"rewrite_worker.exe"); }
    std::wstring Keywords() const { return folder_.Path(L"values.zap"); }

    // Starts the worker and returns once it has begun rewriting.
    KernelHandle StartWorker(int run) {
        const std::string eventName =
            "QuellixRewriteWorker-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(run);
        KernelHandle ready(::CreateEventA(nullptr, TRUE, FALSE, eventName.c_str()));
        KernelHandle process = StartProgram(Worker(), FromAnsi(eventName), folder_.Path());
        if (!ready || !process) return KernelHandle();
        const HANDLE waits[] = {ready.get(), process.get()};
        if (::WaitForMultipleObjects(2, waits, FALSE, 20000) != WAIT_OBJECT_0) return KernelHandle();
        return process;
    }
    static void End(const KernelHandle& process) {
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 20000);
    }

    TempFolder folder_{L"quellix-crash"};
};

// Ended at any moment of a rewrite, the program leaves the keyword file whole: the version before the rewrite or
// the one after, never a mix, never a truncated file, never no file.
TEST_F(CrashSafetyTest, KeywordFileIsAlwaysOneCompleteVersion) {
    const std::string alpha = KeywordFileWith("alpha");
    const std::string omega = KeywordFileWith("omega");
    ASSERT_TRUE(WriteFileBytes(Keywords(), alpha));

    // How long one rewrite takes here, so that the moments drawn below span several of them.
    DWORD rewriteMs = 0;
    {
        const KernelHandle worker = StartWorker(0);
        ASSERT_TRUE(worker);
        const DWORD start = ::GetTickCount();
        while (ReadFileBytes(Keywords()) != omega && ::GetTickCount() - start < 20000) ::Sleep(1);
        rewriteMs = ::GetTickCount() - start;
        End(worker);
        ASSERT_LT(rewriteMs, 20000u) << "the worker never completed a rewrite";
    }

    const unsigned seed = ::GetTickCount();
    std::mt19937 random(seed);
    std::uniform_int_distribution<DWORD> moment(0, 4 * rewriteMs + 20);
    int seenAlpha = 0;
    int seenOmega = 0;
    for (int run = 1; run <= kRuns; ++run) {
        const KernelHandle worker = StartWorker(run);
        ASSERT_TRUE(worker) << "run " << run;
        ::Sleep(moment(random));
        End(worker);
        const std::optional<std::string> bytes = ReadFileBytes(Keywords());
        ASSERT_TRUE(bytes) << "keyword file missing after run " << run << " (seed " << seed << ")";
        const bool whole = *bytes == alpha || *bytes == omega;
        ASSERT_TRUE(whole) << "run " << run << " left " << bytes->size() << " bytes, neither version (seed " << seed
                           << ")";
        ++(*bytes == alpha ? seenAlpha : seenOmega);
    }
    // Both versions turn up, so the ends did fall among completed and interrupted rewrites alike.
    EXPECT_GT(seenAlpha, 0) << "rewrite " << rewriteMs << " ms";
    EXPECT_GT(seenOmega, 0) << "rewrite " << rewriteMs << " ms";
    RecordProperty("RewriteMs", static_cast<int>(rewriteMs));
}

}  // namespace
}  // namespace quellix::test
