#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "app/running_copy.h"
#include "platform/com_apartment.h"
#include "platform/exe_folder.h"
#include "platform/message_loop.h"

// The program is its main window: it starts by loading Form1 and ends when Form1 is unloaded. A copy started
// while one from the same folder runs only brings that one's window up, or says it runs with other rights.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const quellix::RunningCopy copy(quellix::ExeFolder());
    if (copy.IsAnother()) {
        copy.GiveWay();
        return 0;
    }
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
    ::InitCommonControlsEx(&controls);
    const quellix::ComApartment com;  // screen readers are handed the named controls' accessible objects through it
    quellix::Form1 form;
    if (!form.Load()) return 1;
    copy.Publish(form.Handle());
    return quellix::RunMessageLoop();
}
