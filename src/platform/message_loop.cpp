#include "platform/message_loop.h"

#include "platform/form.h"

namespace quellix {

void DispatchUiMessage(MSG& msg) {
    const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (Form* form = Form::FromHandle(root)) {
        if (form->PreTranslate(msg) || ::IsDialogMessageW(root, &msg)) return;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

int RunMessageLoop() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchUiMessage(msg);
    return static_cast<int>(msg.wParam);
}

void RunModalLoop(const std::function<bool()>& keepGoing) {
    MSG msg{};
    while (keepGoing()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        DispatchUiMessage(msg);
    }
}

}  // namespace quellix
