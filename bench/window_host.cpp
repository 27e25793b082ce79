#include "window_host.h"

#include <string>
#include <vector>

#include "bench_texts.h"
#include "support/quellix_process.h"
#include "support/wait.h"

namespace quellix::bench {
namespace {

constexpr char kHostWindowClass[] = "QuellixBenchHostWindow";

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyWindow(h); }
};
using OwnedWindow = UniqueHandle<WindowTraits>;

struct WindowCount {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountProcessWindowsProc(HWND hwnd, LPARAM lParam) {
    auto& query = *reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == query.pid && ::GetWindowTextLengthW(hwnd) > 0) ++query.count;
    return TRUE;
}

int TitledWindowsOf(DWORD pid) {
    WindowCount query{pid, 0};
    ::EnumWindows(CountProcessWindowsProc, reinterpret_cast<LPARAM>(&query));
    return query.count;
}

}  // namespace

WindowHost::WindowHost(int count) {
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --host " + std::to_wstring(count);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return;
    }
    process_.reset(info.hProcess);
    KernelHandle thread(info.hThread);
    threadId_ = info.dwThreadId;
    ready_ = test::WaitUntil([&] { return TitledWindowsOf(info.dwProcessId) >= count; }, 60000);
}

WindowHost::~WindowHost() {
    if (!process_) return;
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (::WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process_.get(), 1);
}

int RunWindowHost(int count) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kHostWindowClass;
    if (!::RegisterClassExA(&wc)) return 1;
    std::vector<OwnedWindow> windows;
    windows.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string title = WindowTitle(i);
        // Hidden, as most of a desktop's top-level windows are; a walk treats hidden ones alike.
        windows.emplace_back(::CreateWindowExA(0, kHostWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                               0, 0, 200, 100, nullptr, nullptr, instance, nullptr));
        if (!windows.back()) return 1;
    }
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace quellix::bench
