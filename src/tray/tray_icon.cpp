// The notification-area icon: added at start-up, added again when the shell restarts, removed at unload.
#include "tray/tray_icon.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/ansi_text.h"
#include "platform/system_library.h"

namespace quellix {
namespace {

// The record in its first form: the fields up to and including a 64-byte tip.
constexpr DWORD kTrayRecordSize = offsetof(NOTIFYICONDATAA, szTip) + 64;
static_assert(kTrayRecordSize == (sizeof(void*) == 4 ? 88 : 104), "first-form notification-icon record");

constexpr UINT kTrayIconId = 1;
constexpr std::size_t kTipBytes = 64;

// The tooltip is the text before the NUL; the rest of the 64 places are spaces.
std::wstring TrayTip() {
    std::wstring tip = L"Vorel Quellix! ";
    tip.push_back(L'\0');
    tip.resize(kTipBytes, L' ');
    return tip;
}

}  // namespace

NOTIFYICONDATAA MakeTrayIconRecord(HWND target, HICON icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = kTrayRecordSize;
    record.hIcon = icon;
    record.uID = kTrayIconId;
    const std::string tip = ToAnsi(TrayTip());
    std::copy_n(tip.begin(), std::min(tip.size(), kTipBytes), record.szTip);
    record.hWnd = target;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_MOUSEMOVE;
    return record;
}

bool AddTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify) {
    return notify(NIM_ADD, &record) != FALSE;
}

bool RetryTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify) {
    return notify(NIM_MODIFY, &record) != FALSE || AddTrayIconRecord(record, notify);
}

void RemoveTrayIconRecord(NOTIFYICONDATAA& record, const TrayNotify& notify) { notify(NIM_DELETE, &record); }

bool IsTaskbarCreated(UINT msg) {
    // Registered messages live in 0xC000-0xFFFF; checking the range first keeps the lookup off the common path,
    // and a failed registration (0) can never be mistaken for WM_NULL.
    if (msg < 0xC000) return false;
    return msg == ::RegisterWindowMessageA("TaskbarCreated");
}

void ListenForTaskbarCreated(HWND window) {
    // An elevated run would otherwise never hear that the notification area came back. Looked up at run time:
    // Windows Vista, which the program supports, lacks the function (and runs no filter per window).
    using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
    const auto filter = ExportOf<FilterFunction>(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx");
    if (filter) filter(window, ::RegisterWindowMessageA("TaskbarCreated"), MSGFLT_ALLOW, nullptr);
}

}  // namespace quellix
