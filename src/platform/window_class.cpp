#include "platform/window_class.h"

namespace quellix {

bool RegisterClassOnce(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.hInstance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return ::RegisterClassExW(&wc) != 0;
}

bool HasClassName(HWND hwnd, std::wstring_view name) {
    wchar_t cls[64]{};
    const int length = ::GetClassNameW(hwnd, cls, 64);
    return length > 0 && std::wstring_view(cls, static_cast<std::size_t>(length)) == name;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace quellix
