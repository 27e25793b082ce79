#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "support/quellix_process.h"

// The programs the benchmark starts: the released quellix.exe and the benchmark's own build of it
// (bench_program.h), of this build and of today's build, the commit before this change, which tools/run-bench
// builds beside it.
namespace quellix::bench {

struct Build {
    std::string name;        // as the tables print it
    std::wstring released;   // its quellix.exe
    std::wstring benchBuild; // its quellix_bench_resident.exe
    bool countsChecks;       // its benchmark build reports single-window checks besides walks
};
// This build: the released program named in QUELLIX_EXE, the benchmark's build beside this benchmark.
Build NewBuild();
// Today's build, where tools/run-bench built it (QUELLIX_BASELINE_EXE, QUELLIX_BASELINE_BENCH_EXE).
std::optional<Build> TodaysBuild();
// The commit today's build was made from, as tools/run-bench names it; empty when unknown.
std::string TodaysCommit();

// A program a measurement starts.
struct Program {
    std::string label;
    std::wstring exe;
    std::wstring arguments;
    bool countsChecks = false;
};
// The build's released program, labelled with the build's name.
Program Released(const Build& build);
// The build's benchmark build with one of its arguments; `what` is added to the label.
Program BenchBuild(const Build& build, const wchar_t* argument, const char* what);

// A copy of the program in a fresh folder, started on the given keyword file.
test::QuellixProcess Start(const Program& program, const std::string& keywordFileBytes);

// What the benchmark's build did so far: walks over every window, and windows checked on their own (-1 where the
// build does not count them).
struct ScanCounts {
    long walks = 0;
    long checks = -1;
};
// Asks the running benchmark build; nothing when it did not answer.
std::optional<ScanCounts> CountsSoFar(const Program& program, HWND mainWindow);
// What was done between two answers.
ScanCounts CountsBetween(const ScanCounts& before, const ScanCounts& after);

}  // namespace quellix::bench
