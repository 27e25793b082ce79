#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "support/quellix_process.h"

namespace quellix::bench {

// A program a measurement starts: the released quellix.exe, or the benchmark's build with one of its arguments.
struct Program {
    const char* label;
    std::wstring exe;
    std::wstring arguments;
};
Program ReleasedProgram();
// The benchmark's build (bench_program.h), which lies beside this benchmark.
Program BenchProgram(const char* label, const wchar_t* argument);
// A copy of the program in a fresh folder, started on the given keyword file.
test::QuellixProcess Start(const Program& program, const std::string& keywordFileBytes);

// Serves this thread's messages until one is wanted, and returns it, or nothing after timeoutMs. GetMessage returns
// as soon as a message is posted, where a polling wait would add its own delay to every figure.
std::optional<MSG> ServeUntil(const std::function<bool(const MSG&)>& wanted, UINT timeoutMs);
// The first WM_CLOSE taken from this thread's queue for `window`: its moment (Now()), or 0 after timeoutMs.
std::int64_t WaitForCloseRequest(HWND window, UINT timeoutMs, DWORD* postedTick = nullptr);

// The kinds of window closed: a plain window, a message box, a dialog (#32770) made from a template.
enum class PopupKind { kPlain, kMessageBox, kDialog };
inline constexpr std::array<PopupKind, 3> kPopupKinds{PopupKind::kPlain, PopupKind::kMessageBox,
                                                       PopupKind::kDialog};
const char* KindName(PopupKind kind);

// From the call that creates a matching window to the moment its WM_CLOSE arrives.
struct LatencyFigures {
    int popups = 0;
    int missed = 0;  // not closed within the time allowed
    double median = 0, p95 = 0, min = 0, max = 0;  // milliseconds
    double creation = 0;  // median time until the creating thread was back in its message loop
    double askedMedian = 0, askedP95 = 0;  // when the WM_CLOSE was posted, whole milliseconds
};
struct ProgramLatency {
    bool started = false;
    std::array<LatencyFigures, kPopupKinds.size()> kinds;  // in the order of kPopupKinds
};

// The title of the latency run's window number `index`; it holds `matchingWord`.
std::string LatencyPopupTitle(const std::string& matchingWord, int index);

// Opens `popups` windows of each kind titled with `matchingWord`, kinds taking turns, each after the previous one
// closed and a random pause.
ProgramLatency MeasureCloseLatency(const Program& program, const std::string& keywordFileBytes,
                                   const std::string& matchingWord, int popups);

// Milliseconds from the call that creates a window to its WM_CLOSE, and to the creating thread's return to its
// message loop (the call returned; a message box's own loop took its first message).
struct PopupTimes {
    double closed = 0;
    double created = 0;
    double asked = 0;  // from the creation to the moment the WM_CLOSE was posted (its message time, whole ms)
};
// One matching window of the kind, titled `title`, or nothing when it was not asked to close in time.
std::optional<PopupTimes> CloseOnePopup(PopupKind kind, const std::string& title);

}  // namespace quellix::bench
