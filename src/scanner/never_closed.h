#pragma once

#include <string_view>

namespace quellix {

// What the scan knows of another program's visible window before it may ask it to close.
struct WindowIdentity {
    std::wstring_view className;
    bool isShellWindow = false;   // the desktop itself (GetShellWindow)
    bool ofShellProcess = false;  // a window of the shell's own process
};

// Windows never asked to close, whatever their title:
// - the desktop's own surfaces: the desktop, the taskbars, Wine's stand-alone tray, the Start menu, Search and
//   the notification panels (CoreWindows in their own hosts), and every other window of the shell's process (the
//   task switcher among them) but File Explorer's folder windows. Closing them would end the session or take
//   away what the user just opened. A store app stays closable through its frame window.
// - consoles, classic and Windows Terminal's, and the pseudo console's host window (what GetConsoleWindow gives every
//   program attached to a console in Windows Terminal): a close request ends every program attached without a
//   question, and their titles carry the running command line, so an everyday keyword would end a copy or a build.
// - the system's stand-in for a hung window (its "(Not Responding)" copy): a close request to it offers to end the
//   hung program.
bool IsNeverClosed(const WindowIdentity& window) noexcept;

}  // namespace quellix
