#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "platform/message_loop.h"

// The program is its main window: it starts by loading Form1 and ends when Form1 is unloaded.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    quellix::Form1 form;
    if (!form.Load()) return 1;
    return quellix::RunMessageLoop();
}
