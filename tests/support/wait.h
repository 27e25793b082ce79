#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>

// Waiting while this thread's messages run, and the user's keys as the owner of a window reads them.
namespace quellix::test {

constexpr DWORD kGenerous = 10000;  // a loaded machine is slow; a working program answers far faster

// How a wait treats this thread's messages. A helper thread only polls (None) while the test's thread runs the
// program's nested loops; the program's own forms need its keyboard navigation (Forms).
enum class Pump { None, Plain, Forms };

// Runs this thread's messages until done() holds or the time runs out; returns done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kGenerous, Pump pump = Pump::Plain);
// Runs this thread's messages for a while (0: those already queued), to let ticks of the program pass.
void PumpFor(DWORD ms, Pump pump = Pump::Plain);
inline bool PollFor(const std::function<bool()>& done, DWORD timeoutMs = kGenerous) {
    return WaitUntil(done, timeoutMs, Pump::None);
}

// Key presses as they reach the thread that owns the window (menus and forms read keys from the queue). Posted
// together, they are read before any mouse movement could move a menu's highlight.
void PressKeys(HWND target, std::initializer_list<WPARAM> keys);

// The tray menu's items by keys: Home to the first, Down to the next (the separator is skipped), End to the last.
inline constexpr std::initializer_list<WPARAM> kMenuShow{VK_HOME}, kMenuHide{VK_HOME, VK_DOWN},
    kMenuAbout{VK_END, VK_UP}, kMenuExit{VK_END};
// Chooses an item of the open menu with the keys and Enter, once the menu has settled under the mouse; true when
// the menu then closed.
bool ChooseFromMenu(HWND menuWindow, std::initializer_list<WPARAM> keys, Pump pump = Pump::Plain);

}  // namespace quellix::test
