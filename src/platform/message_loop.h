#pragma once
#include <windows.h>

#include <functional>

namespace quellix {

// Hands one message to the program: keyboard navigation for its forms first, then the window.
void DispatchUiMessage(MSG& msg);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// A nested loop (modal forms) that runs while keepGoing() holds. A WM_QUIT that arrives meanwhile
// ends it and is posted again for the outer loop.
void RunModalLoop(const std::function<bool()>& keepGoing);

}  // namespace quellix
