#include "programs.h"

#include "bench_program.h"
#include "message_wait.h"
#include "run_environment.h"

namespace quellix::bench {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;

std::wstring BesideThisBenchmark(const wchar_t* name) {
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\') + 1);
    return path + name;
}

}  // namespace

Build NewBuild() { return {"new build", test::QuellixExePath(), BesideThisBenchmark(kBenchProgramExe), true}; }

std::optional<Build> TodaysBuild() {
    Build build{"today's build", PathFromEnvironment("QUELLIX_BASELINE_EXE"),
                PathFromEnvironment("QUELLIX_BASELINE_BENCH_EXE"), false};
    if (build.released.empty() || build.benchBuild.empty()) return std::nullopt;
    return build;
}

std::string TodaysCommit() { return TextFromEnvironment("QUELLIX_BASELINE_COMMIT"); }

Program Released(const Build& build) { return {build.name, build.released, L"", build.countsChecks}; }

Program BenchBuild(const Build& build, const wchar_t* argument, const char* what) {
    return {build.name + ", " + what, build.benchBuild, argument, build.countsChecks};
}

test::QuellixProcess Start(const Program& program, const std::string& keywordFileBytes) {
    return test::QuellixProcess(keywordFileBytes, L"quellix-bench", program.exe, program.arguments);
}

std::optional<ScanCounts> CountsSoFar(const Program& program, HWND mainWindow) {
    ::PostMessageW(mainWindow, kWalkCountQuery, 0, static_cast<LPARAM>(::GetCurrentThreadId()));
    const auto reply = ServeUntil([](const MSG& msg) { return IsThreadMessage(msg, kWalkCount); }, kAnswerTimeoutMs);
    if (!reply) return std::nullopt;
    return ScanCounts{static_cast<long>(reply->wParam), program.countsChecks ? static_cast<long>(reply->lParam) : -1};
}

ScanCounts CountsBetween(const ScanCounts& before, const ScanCounts& after) {
    return {after.walks - before.walks, before.checks < 0 || after.checks < 0 ? -1 : after.checks - before.checks};
}

}  // namespace quellix::bench
