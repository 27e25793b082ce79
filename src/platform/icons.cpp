#include "platform/icons.h"

#include <commctrl.h>

#include "platform/system_library.h"
#include "platform/window_dpi.h"

namespace quellix {
namespace {

// Not shared: Windows hands out a shared icon at the size it was first loaded, whatever size is asked for later.
IconHandle LoadIconOfSize(int iconId, int size) {
    const HINSTANCE exe = ::GetModuleHandleW(nullptr);
    return IconHandle(static_cast<HICON>(::LoadImageW(exe, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0)));
}

}  // namespace

IconHandle LoadWindowIcon(int iconId, IconSize size, int dpi) {
    return LoadIconOfSize(iconId, SystemMetricForDpi(size == IconSize::kBig ? SM_CXICON : SM_CXSMICON, dpi));
}

IconHandle LoadNotificationIcon(int iconId) {
    // From the comctl32 the exe runs with, version 6 as its manifest asks; the system folder's own is version 5,
    // which lacks the function.
    using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    const auto loadIconMetric = ExportOf<LoadIconMetricFunction>(::GetModuleHandleW(L"comctl32.dll"), "LoadIconMetric");
    HICON icon = nullptr;
    if (loadIconMetric &&
        SUCCEEDED(loadIconMetric(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), LIM_SMALL, &icon))) {
        return IconHandle(icon);
    }
    return LoadIconOfSize(iconId, ::GetSystemMetrics(SM_CXSMICON));
}

}  // namespace quellix
