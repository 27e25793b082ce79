#include "support/quellix_process.h"

#include <cstdlib>
#include <functional>

#include "support/temp_files.h"
#include "support/window_lookup.h"

namespace quellix::test {
namespace {

// The object a window of the support was created for (its lpCreateParams), kept in the window's user data.
template <class Owner>
Owner* WindowOwner(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    return reinterpret_cast<Owner*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// A thread that first sets up its window, then lives on; returns once the set-up is done (ten seconds at most).
std::thread StartAfterSetUp(std::function<void()> setUp, std::function<void()> rest) {
    KernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread thread([setUp = std::move(setUp), rest = std::move(rest), event = ready.get()] {
        setUp();
        ::SetEvent(event);
        rest();
    });
    ::WaitForSingleObject(ready.get(), 10000);
    return thread;
}

constexpr wchar_t kPopupClass[] = L"QuellixTestPopup";
constexpr wchar_t kFormClass[] = L"QuellixForm";
int g_closeCount = 0;  // the drivers are single-threaded: one counter orders every popup's close

}  // namespace

std::wstring QuellixExePath() {
    const char* path = std::getenv("QUELLIX_EXE");
    std::string text = path ? path : "quellix.exe";
    if (!text.empty() && text[0] == '/') text = "Z:" + text;
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return std::wstring(text.begin(), text.end());
}

KernelHandle StartProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                          DWORD* pid) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &info)) {
        return KernelHandle();
    }
    ::CloseHandle(info.hThread);
    if (pid) *pid = info.dwProcessId;
    return KernelHandle(info.hProcess);
}

QuellixProcess::QuellixProcess(const std::optional<std::string>& keywordFile, const std::wstring& folderPrefix,
                               const std::wstring& exe, const std::wstring& arguments)
    : folder_(folderPrefix) {
    const std::wstring copy = folder_.Path(L"quellix.exe");
    if (!::CopyFileW(exe.c_str(), copy.c_str(), FALSE)) return;
    if (keywordFile) WriteKeywordFile(*keywordFile);
    process_ = StartProgram(copy, arguments, folder_.Path(), &pid_);
    if (!process_) return;
    ::WaitForInputIdle(process_.get(), 10000);
    WaitUntil([&] {
        return (mainWindow_ = FindTopLevel({.pid = pid_, .caption = L"Quellix", .windowClass = kFormClass,
                                            .visibleOnly = false})) != nullptr;
    });
}

QuellixProcess::~QuellixProcess() {
    if (process_ && Running()) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 10000);
    }
    process_.reset();  // the folder goes after it
}

bool QuellixProcess::Running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool QuellixProcess::WaitForExit(DWORD timeoutMs) {
    return WaitUntil([&] { return !Running(); }, timeoutMs);
}

HWND QuellixProcess::Picture1() const { return ::FindWindowExW(mainWindow_, nullptr, L"QuellixPictureBox", nullptr); }

HWND QuellixProcess::Button(const std::wstring& caption) const { return FindChild(mainWindow_, L"Button", caption); }

HWND QuellixProcess::List() const { return ::FindWindowExW(mainWindow_, nullptr, L"ListBox", nullptr); }

std::vector<std::wstring> QuellixProcess::ListItems() const {
    std::vector<std::wstring> items;
    const HWND list = List();
    const auto count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // Wine hands list text across processes as wide text: ask with the W call.
        const auto length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const auto got =
            ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        items.push_back(text);
    }
    return items;
}

bool QuellixProcess::ListShows(const std::vector<std::wstring>& items) const {
    return WaitUntil([&] { return ListItems() == items; });
}

void QuellixProcess::Select(int index) const {
    ::SendMessageW(List(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<std::string> QuellixProcess::ReadKeywordFile() const {
    return ReadFileBytes(folder_.Path(L"values.zap"));
}

void QuellixProcess::WriteKeywordFile(const std::string& bytes) const {
    WriteFileBytes(folder_.Path(L"values.zap"), bytes);
}

bool QuellixProcess::FileExists(const wchar_t* name) const { return test::FileExists(folder_.Path(name)); }

void QuellixProcess::SendTrayEvent(UINT mouseMessage) const {
    ::PostMessageW(Picture1(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

HWND QuellixProcess::Focus() const {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof(thread);
    const bool got = ::GetGUIThreadInfo(::GetWindowThreadProcessId(mainWindow_, nullptr), &thread);
    return got ? thread.hwndFocus : nullptr;
}

bool QuellixProcess::ShowFromTray() const {
    SendTrayEvent(WM_LBUTTONDBLCLK);
    return WaitUntil([&] { return MainWindowVisible(); });
}

TestPopup::TestPopup(const std::wstring& title, bool visible, bool closesOnRequest)
    : closesOnRequest_(closesOnRequest) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(instance, kPopupClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &TestPopup::WndProc;
        wc.hInstance = instance;
        wc.lpszClassName = kPopupClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassExW(&wc);
    }
    hwnd_ = ::CreateWindowExW(0, kPopupClass, title.c_str(), WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 100,
                              100, 300, 200, nullptr, nullptr, instance, this);
}

TestPopup::~TestPopup() {
    if (::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestPopup::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner<TestPopup>(hwnd, msg, lParam);
    if (msg == WM_CLOSE && self) {
        ++self->closeRequests_;
        if (self->closeOrder_ == 0) {
            self->closeOrder_ = ++g_closeCount;
            self->closedAt_ = ::GetTickCount();
        }
        if (!self->closesOnRequest_) return 0;
    }
    if (msg == WM_NCDESTROY) ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HungWindow::HungWindow(const std::wstring& title, DWORD hangMs) {
    const auto setUp = [this, title] {
        hwnd_ = ::CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    thread_ = StartAfterSetUp(setUp, [this, hangMs] {
        ::Sleep(hangMs);  // answers nothing meanwhile
        MSG msg;
        while (::PeekMessageW(&msg, hwnd_, WM_CLOSE, WM_CLOSE, PM_REMOVE)) closeTimes_.push_back(msg.time);
        ::DestroyWindow(hwnd_);
    });
}

void HungWindow::Join() {
    if (thread_.joinable()) thread_.join();
}

HungWindow::~HungWindow() { Join(); }

MessageFlood::MessageFlood(HWND listBox) : listBox_(listBox) {
    constexpr WPARAM kAhead = 20000;
    threads_.emplace_back([this, listBox] {
        while (!stop_) {
            DWORD_PTR done = 0;
            if (!::SendMessageTimeoutW(listBox, LB_GETHORIZONTALEXTENT, 0, 0, SMTO_BLOCK, 1000, &done)) break;
            done_ = done;
            deep_ = posted_ - done >= kAhead / 2;
            ::Sleep(1);
        }
    });
    for (int poster = 0; poster < 2; ++poster) {
        threads_.emplace_back([this, listBox] {
            while (!stop_) {
                if (posted_ - done_ >= kAhead) ::Sleep(1);
                else ::PostMessageW(listBox, LB_SETHORIZONTALEXTENT, ++posted_, 0);
            }
        });
    }
}

// What it posted is worked through before the flood is over: on a loaded machine that alone can take longer than a
// test waits for the next thing it asks of the program.
MessageFlood::~MessageFlood() {
    stop_ = true;
    for (std::thread& thread : threads_) thread.join();
    const WPARAM last = ++posted_;
    ::PostMessageW(listBox_, LB_SETHORIZONTALEXTENT, last, 0);
    WaitUntil(
        [&] {
            DWORD_PTR done = 0;
            return ::SendMessageTimeoutW(listBox_, LB_GETHORIZONTALEXTENT, 0, 0, SMTO_BLOCK, 1000, &done) && done == last;
        },
        60000);
}

QuestioningWindow::QuestioningWindow(const std::wstring& title, Answer answer) : answer_(answer) {
    const auto setUp = [this, title] {
        constexpr wchar_t kClass[] = L"QuellixTestQuestioning";
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &QuestioningWindow::WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        ::RegisterClassExW(&wc);
        hwnd_ = ::CreateWindowExW(0, kClass, title.c_str(), WS_OVERLAPPEDWINDOW, 80, 80, 300, 200, nullptr,
                                  nullptr, wc.hInstance, this);
        ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        threadId_ = ::GetCurrentThreadId();
    };
    thread_ = StartAfterSetUp(setUp, [this] {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
        ::DestroyWindow(hwnd_);
    });
}

QuestioningWindow::~QuestioningWindow() {
    // WM_QUIT ends every open question's loop and then the thread's own.
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void QuestioningWindow::CancelQuestion() const {
    if (const HWND box = FindTopLevel({.caption = L"Notes", .windowClass = kMessageBoxClass})) {
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
}

LRESULT CALLBACK QuestioningWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = WindowOwner<QuestioningWindow>(hwnd, msg, lParam);
    if (msg == WM_CLOSE && self) {
        ++self->requests_;
        if (self->answer_ == Answer::kNothing) return 0;
        ++self->openQuestions_;
        ::MessageBoxW(self->answer_ == Answer::kOwnedQuestion ? hwnd : nullptr, L"Save changes?", L"Notes",
                      MB_YESNOCANCEL);
        --self->openQuestions_;
        return 0;  // every answer keeps the window here: only what a request brings about is counted
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace quellix::test
