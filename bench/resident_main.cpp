// The benchmark's own build of the program: Form1 with or without its doorbell, or with the earlier order of walk
// in place of its tick. The released program keeps no command line; this one is never shipped.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "app/form1.h"
#include "bench_program.h"
#include "keywords/keyword_paths.h"
#include "platform/message_loop.h"
#include "walks.h"

namespace {

using namespace quellix;
using namespace quellix::bench;

constexpr UINT kOldOrderIntervalMs = 100;

// Every walk of Form1 starts from one of these two posted messages, so counting them counts its walks without
// touching the program. (A ring while the scan is paused walks not; at rest the scan never pauses.)
bool StartsWalk(const MSG& msg, HWND form) {
    if (msg.hwnd != form) return false;
    return (msg.message == WM_TIMER && msg.wParam == Form1::kTimer1) || msg.message == Form1::kDoorbellRang;
}

// The earlier order's walk, then its next one a full interval after this one ends, as the tick does.
void OldOrderTick(ScanWalk& walk, UINT_PTR& timer) {
    ::KillTimer(nullptr, timer);
    walk.keywordPath = KeywordFilePath();
    OldOrderWalk(walk);
    timer = ::SetTimer(nullptr, 0, kOldOrderIntervalMs, nullptr);
}

int RunCountingLoop(Form1& form, bool oldOrder) {
    ScanWalk walk;
    UINT_PTR timer = oldOrder ? ::SetTimer(nullptr, 0, kOldOrderIntervalMs, nullptr) : 0;
    WPARAM walks = 0;
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kWalkCountQuery) {
            ::PostThreadMessageW(static_cast<DWORD>(msg.lParam), kWalkCount, walks, 0);
            continue;
        }
        if (oldOrder && msg.hwnd == nullptr && msg.message == WM_TIMER && msg.wParam == timer) {
            ++walks;
            OldOrderTick(walk, timer);
            continue;
        }
        if (StartsWalk(msg, form.Handle())) ++walks;
        DispatchUiMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const bool oldOrder = std::wcsstr(commandLine, kOldOrder) != nullptr;
    const bool doorbell = std::wcsstr(commandLine, kWithDoorbell) != nullptr;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    Form1 form(&::Shell_NotifyIconA, doorbell ? Form1::Doorbell::ForOthers : Form1::Doorbell::None);
    if (!form.Load()) return 1;
    if (oldOrder) form.Timer1.SetEnabled(false);
    return RunCountingLoop(form, oldOrder);
}
