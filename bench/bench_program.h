#pragma once
#include <windows.h>

// The benchmark's own build of the program (quellix_bench_resident.exe): the same main window and scan, chosen
// by its one argument, with a message loop that answers what the scan has done.
namespace quellix::bench {

inline constexpr wchar_t kBenchProgramExe[] = L"quellix_bench_resident.exe";
// The main window with its doorbell, as released.
inline constexpr wchar_t kWithDoorbell[] = L"--doorbell";
// The main window without the doorbell: only the 100 ms tick walks.
inline constexpr wchar_t kTimerOnly[] = L"--timer-only";

// Posted to its main window with a thread id in lParam: it posts kWalkCount back to that thread, with the walks
// made so far in wParam and the windows checked on their own (a ring's) in lParam. Today's build answers the same
// query with its walks alone (lParam 0): there every ring was a walk.
inline constexpr UINT kWalkCountQuery = WM_APP + 42;
inline constexpr UINT kWalkCount = WM_APP + 43;

}  // namespace quellix::bench
