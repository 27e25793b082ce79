// Handlers whose subsystems have not landed yet; each moves to its own folder when it does.
#include "app/form1.h"
#include "tray/main_window_hook.h"

namespace quellix {

HWND MainWindowHandle = nullptr;
WNDPROC PrevWindowProc = nullptr;
bool HookInstalled = false;
void Hook() {}
void Unhook() {}

void Form1::AddTrayIcon() {}
void Form1::Form_Unload() {}
void Form1::Picture1_MouseMove(WPARAM, LPARAM) {}
void Form1::mnuShow_Click() {}
void Form1::mnuHide_Click() {}
void Form1::mnuAbout_Click() {}
void Form1::mnuExit_Click() {}
void Form1::Command1_Click() {}
void Form1::cmdAbout_Click() {}


}  // namespace quellix
