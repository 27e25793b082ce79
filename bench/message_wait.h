#pragma once
#include <windows.h>

#include <functional>
#include <optional>

namespace quellix::bench {

// Serves this thread's messages until one is wanted, and returns it, or nothing after timeoutMs. GetMessage returns
// as soon as a message is posted, where a polling wait would add its own delay to every figure.
std::optional<MSG> ServeUntil(const std::function<bool(const MSG&)>& wanted, UINT timeoutMs);

// True for a message posted to the thread itself (no window) with this number.
inline bool IsThreadMessage(const MSG& msg, UINT message) { return msg.hwnd == nullptr && msg.message == message; }

}  // namespace quellix::bench
