#include "platform/ansi_text.h"

#include <windows.h>

namespace quellix {

std::wstring FromAnsi(std::string_view text) {
    std::wstring wide;
    FromAnsiInto(text, wide);
    return wide;
}

void FromAnsiInto(std::string_view text, std::wstring& out) {
    // An ANSI character never becomes more than one UTF-16 unit, so the byte count is enough room.
    out.resize(text.size());
    if (text.empty()) return;
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                        static_cast<int>(out.size()));
    out.resize(static_cast<std::size_t>(n));
}

std::string ToAnsi(std::wstring_view text) {
    if (text.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr,
                          nullptr);
    return ansi;
}

std::optional<std::string> ToAnsiExactly(std::wstring_view text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                        &usedDefault);
    if (n == 0) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_INVALID_FLAGS && error != ERROR_INVALID_PARAMETER) return std::nullopt;
        // UTF-8 and a few other code pages take neither the flag nor the report: compare a round trip instead.
        std::string ansi = ToAnsi(text);
        if (FromAnsi(ansi) != text) return std::nullopt;
        return ansi;
    }
    std::string ansi(static_cast<std::size_t>(n), '\0');
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), n, nullptr,
                              &usedDefault) != n ||
        usedDefault) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace quellix
