#include "support/wait.h"

#include "platform/message_loop.h"

namespace quellix::test {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, Pump pump) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg{};
        // A queue kept full (a test's flood of messages) never runs empty: done() is still asked every few ms.
        const DWORD drainStart = ::GetTickCount();
        while (pump != Pump::None && ::GetTickCount() - drainStart < 10 &&
               ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // a main window ended by a test: nothing here ends with it
            if (pump == Pump::Forms) {
                DispatchUiMessage(msg);
            } else {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        if (pump == Pump::None) {
            ::Sleep(10);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
}

void PumpFor(DWORD ms, Pump pump) { WaitUntil([] { return false; }, ms, pump); }

void PressKeys(HWND target, std::initializer_list<WPARAM> keys) {
    for (const WPARAM key : keys) {
        ::PostMessageW(target, WM_KEYDOWN, key, 1);
        ::PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
}

bool ChooseFromMenu(HWND menuWindow, std::initializer_list<WPARAM> keys, Pump pump) {
    if (!menuWindow) return false;
    PumpFor(300, pump);
    PressKeys(menuWindow, keys);
    PressKeys(menuWindow, {VK_RETURN});
    return WaitUntil([&] { return !::IsWindowVisible(menuWindow); }, kGenerous, pump);
}

}  // namespace quellix::test
