#include "tray/main_window_hook.h"

#include "platform/form.h"
#include "platform/modal_window.h"

namespace quellix {

HWND MainWindowHandle = nullptr;
WNDPROC PrevWindowProc = nullptr;
bool HookInstalled = false;

void Hook() {
    if (HookInstalled) return;  // a second replacement would make the subclass its own previous procedure
    const LONG_PTR previous =
        ::SetWindowLongPtrA(MainWindowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    // Every window has a procedure, so 0 means the replacement failed: stay unhooked rather than keep a null
    // procedure that every message would then be passed to.
    if (previous == 0) return;
    PrevWindowProc = reinterpret_cast<WNDPROC>(previous);
    HookInstalled = true;
}

void Unhook() {
    if (!HookInstalled) return;  // never put a null procedure into the window
    ::SetWindowLongPtrA(MainWindowHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PrevWindowProc));
    HookInstalled = false;
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_HOTKEY) RestoreMainWindow();
    if (!PrevWindowProc) return ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
    return ::CallWindowProcA(PrevWindowProc, hWnd, uMsg, wParam, lParam);
}

void RestoreMainWindow() {
    // Rather than show a main window the user cannot use while a modal window of the program is open.
    if (RaiseOpenModalWindow(MainWindowHandle)) return;
    if (Form* form = Form::FromHandle(MainWindowHandle)) {
        form->Show();  // through the form, so that its first showing is centred
    } else {
        ::ShowWindow(MainWindowHandle, SW_SHOW);
    }
    ::SetForegroundWindow(MainWindowHandle);  // result not examined: a refused foreground leaves it shown
}

}  // namespace quellix
