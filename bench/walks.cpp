#include "walks.h"

#include <cstring>
#include <string_view>

#include "bench_clock.h"
#include "platform/ansi_text.h"
#include "platform/upper_case.h"
#include "platform/file_access.h"
#include "platform/win_handle.h"
#include "scanner/scan_walk.h"

namespace quellix::bench {
namespace {

constexpr int kTitleBufferSize = 255;  // the scan's own title buffer

std::string_view FetchTitle(HWND hwnd, char (&buffer)[kTitleBufferSize]) {
    buffer[0] = '\0';
    ::GetWindowTextA(hwnd, buffer, kTitleBufferSize);
    return std::string_view(buffer, ::strnlen(buffer, kTitleBufferSize));
}

BOOL CALLBACK BareProc(HWND hwnd, LPARAM lParam) {
    char buffer[kTitleBufferSize];
    if (!FetchTitle(hwnd, buffer).empty()) ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}

struct LeastState {
    const std::wstring* path;
    std::string* buffer;
};

void ReadFileOnce(const LeastState& state) {
    FileHandle file(::CreateFileW(state.path->c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return;
    // One read into a buffer larger than the file: a short read is the end of it.
    DWORD read = 0;
    ::ReadFile(file.get(), state.buffer->data(), static_cast<DWORD>(state.buffer->size()), &read, nullptr);
}

BOOL CALLBACK LeastProc(HWND hwnd, LPARAM) {
    char title[kTitleBufferSize];
    if (::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) FetchTitle(hwnd, title);
    return TRUE;
}

BOOL CALLBACK OldLeastProc(HWND hwnd, LPARAM lParam) {
    char title[kTitleBufferSize];
    if (!FetchTitle(hwnd, title).empty()) ReadFileOnce(*reinterpret_cast<LeastState*>(lParam));
    return TRUE;
}

struct OldOrderState {
    ScanWalk* walk;
    HWND found = nullptr;
};

BOOL CALLBACK OldOrderProc(HWND hwnd, LPARAM lParam) {
    auto& state = *reinterpret_cast<OldOrderState*>(lParam);
    ScanWalk& walk = *state.walk;
    char buffer[kTitleBufferSize];
    const std::string_view title = FetchTitle(hwnd, buffer);
    if (title.empty() || !ReadWholeFileInto(walk.keywordPath, walk.fileBytes)) return TRUE;
    CutKeywordsIfChanged(walk);
    FromAnsiInto(title, walk.title);
    ToUpperInPlace(walk.title);
    if (!walk.keywords.FoundIn(walk.title) || !::IsWindowVisible(hwnd) ||
        !IsCloseCandidate(hwnd, *walk.shell, walk.isCloaked)) {
        return TRUE;
    }
    state.found = hwnd;
    return FALSE;
}

// Step times are summed in counter ticks and converted once, so timing adds little to the walk.
struct StepsState {
    const std::wstring* path;
    ScanWalk walk;
    std::int64_t titles = 0, fileRead = 0, titleUpper = 0, fileUpper = 0, match = 0;
};

BOOL CALLBACK StepsProc(HWND hwnd, LPARAM lParam) {
    auto& state = *reinterpret_cast<StepsState*>(lParam);
    auto& walk = state.walk;
    char buffer[kTitleBufferSize];
    const std::int64_t t0 = Now();
    const std::string_view title = FetchTitle(hwnd, buffer);
    const std::int64_t t1 = Now();
    state.titles += t1 - t0;
    if (title.empty()) return TRUE;
    const bool read = ReadWholeFileInto(*state.path, walk.fileBytes);
    const std::int64_t t2 = Now();
    state.fileRead += t2 - t1;
    if (!read) return TRUE;
    FromAnsiInto(title, walk.title);
    ToUpperInPlace(walk.title);
    const std::int64_t t3 = Now();
    CutKeywordsIfChanged(walk);
    const std::int64_t t4 = Now();
    const bool matched = walk.keywords.FoundIn(walk.title);
    const std::int64_t t5 = Now();
    state.titleUpper += t3 - t2;
    state.fileUpper += t4 - t3;
    state.match += t5 - t4;
    return matched ? FALSE : TRUE;
}

}  // namespace

int BareWalk() {
    int titled = 0;
    ::EnumWindows(BareProc, reinterpret_cast<LPARAM>(&titled));
    return titled;
}

void LeastWalk() { ::EnumWindows(LeastProc, 0); }

void OldLeastWalk(const std::wstring& keywordPath, std::string& buffer) {
    LeastState state{&keywordPath, &buffer};
    ::EnumWindows(OldLeastProc, reinterpret_cast<LPARAM>(&state));
}

HWND OldOrderWalk(ScanWalk& walk) {
    OldOrderState state{&walk};
    walk.shell = DesktopShell::Now();
    ::EnumWindows(OldOrderProc, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

WalkSteps TimedOldOrderWalk(const std::wstring& keywordPath) {
    StepsState state{&keywordPath, {}};
    const std::int64_t start = Now();
    ::EnumWindows(StepsProc, reinterpret_cast<LPARAM>(&state));
    const std::int64_t end = Now();
    WalkSteps steps;
    steps.titles = ElapsedMs(0, state.titles);
    steps.fileRead = ElapsedMs(0, state.fileRead);
    steps.titleUpper = ElapsedMs(0, state.titleUpper);
    steps.fileUpper = ElapsedMs(0, state.fileUpper);
    steps.match = ElapsedMs(0, state.match);
    steps.total = ElapsedMs(start, end);
    return steps;
}

}  // namespace quellix::bench
