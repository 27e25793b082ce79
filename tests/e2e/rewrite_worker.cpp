// Rewrites the keyword file beside it over and over, swapping one keyword back and forth, until it is ended from
// outside (or a minute has passed, should its driver be gone).
#include <windows.h>

#include "keywords/keyword_edits.h"
#include "platform/win_handle.h"

int main(int argc, char** argv) {
    // Tells the driver that rewriting begins now, so the moments it picks fall among the rewrites.
    if (argc > 1) {
        const quellix::KernelHandle ready(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
        if (ready) ::SetEvent(ready.get());
    }
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 60000) {
        quellix::ReplaceKeyword(L"alpha", L"omega");
        quellix::ReplaceKeyword(L"omega", L"alpha");
    }
    return 0;
}
