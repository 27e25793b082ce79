// The benchmark's own build of the program: Form1 with or without its doorbell, answering what its scan has done.
// The released program keeps no command line; this one is never shipped.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "app/form1.h"
#include "bench_program.h"
#include "platform/message_loop.h"

namespace {

using namespace quellix;
using namespace quellix::bench;

// The scan counts its own walks and checks, so the loop only answers the query.
int RunAnsweringLoop(const Form1& form) {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kWalkCountQuery) {
            const PopupScanner::Counts counts = form.ScanCounts();
            ::PostThreadMessageW(static_cast<DWORD>(msg.lParam), kWalkCount, static_cast<WPARAM>(counts.walks),
                                 static_cast<LPARAM>(counts.windowsChecked));
            continue;
        }
        DispatchUiMessage(msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const bool doorbell = std::wcsstr(commandLine, kWithDoorbell) != nullptr;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    Form1 form(&::Shell_NotifyIconA, doorbell ? Form1::Doorbell::ForOthers : Form1::Doorbell::None);
    if (!form.Load()) return 1;
    return RunAnsweringLoop(form);
}
