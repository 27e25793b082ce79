#include "platform/window_class.h"

#include <iterator>

namespace quellix {

bool RegisterClassOnce(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.hInstance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
    return ::RegisterClassExW(&wc) != 0;
}

std::wstring_view ClassNameOf(HWND hwnd, ClassNameBuffer& buffer) {
    const int length = ::GetClassNameW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return std::wstring_view(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

bool HasClassName(HWND hwnd, std::wstring_view name) {
    ClassNameBuffer buffer;
    const std::wstring_view className = ClassNameOf(hwnd, buffer);
    return !className.empty() && className == name;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace quellix
