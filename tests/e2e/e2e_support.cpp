#include "e2e/e2e_support.h"

#include <cstdlib>

namespace quellix::e2e {
namespace {

constexpr wchar_t kPopupClass[] = L"QuellixTestPopup";
constexpr wchar_t kFormClass[] = L"QuellixForm";
int g_closeCount = 0;  // the drivers are single-threaded: one counter orders every popup's close

std::wstring UniqueFolder(const std::wstring& prefix) {
    wchar_t temp[MAX_PATH]{};
    ::GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    return std::wstring(temp) + prefix + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(++serial) + L"-" + std::to_wstring(::GetTickCount());
}

// The running program reads the file ten times a second: share with its reads, and try again
// should an open still collide with one.
void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, kShare, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size()) {
            return;
        }
        ::Sleep(20);
    }
}

struct TopLevelQuery {
    DWORD pid;
    const std::wstring* caption;
    const std::wstring* windowClass;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND hwnd, LPARAM lParam) {
    auto& q = *reinterpret_cast<TopLevelQuery*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != q.pid || (q.visibleOnly && !::IsWindowVisible(hwnd))) return TRUE;
    if (!q.windowClass->empty() && ClassName(hwnd) != *q.windowClass) return TRUE;
    if (q.caption && WindowText(hwnd) != *q.caption) return TRUE;
    q.found = hwnd;
    return FALSE;
}

HWND FindProcessWindow(DWORD pid, const std::wstring* caption, const std::wstring& windowClass, bool visibleOnly) {
    TopLevelQuery q{pid, caption, &windowClass, visibleOnly, nullptr};
    ::EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

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

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms) { WaitUntil([] { return false; }, ms); }

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512]{};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[128]{};
    ::GetClassNameW(hwnd, name, 128);
    return name;
}

HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text) {
    for (HWND child = ::FindWindowExW(parent, nullptr, windowClass.c_str(), nullptr); child;
         child = ::FindWindowExW(parent, child, windowClass.c_str(), nullptr)) {
        if (WindowText(child) == text) return child;
    }
    return nullptr;
}

HWND FindTopLevel(DWORD pid, const std::wstring& caption, const std::wstring& windowClass) {
    return FindProcessWindow(pid, &caption, windowClass, true);
}

HWND FindMessageBox(DWORD pid) { return FindProcessWindow(pid, nullptr, L"#32770", true); }

std::wstring MessageBoxText(HWND box) {
    // The message box's text is its static control with id 0xFFFF.
    const HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::wstring();
}

QuellixProcess::QuellixProcess(const std::optional<std::string>& keywordFile, const std::wstring& folderPrefix)
    : folder_(UniqueFolder(folderPrefix)) {
    ::CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring exe = folder_ + L"\\quellix.exe";
    if (!::CopyFileW(QuellixExePath().c_str(), exe.c_str(), FALSE)) return;
    if (keywordFile) WriteKeywordFile(*keywordFile);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                          &startup, &info)) {
        return;
    }
    process_.reset(info.hProcess);
    ::CloseHandle(info.hThread);
    pid_ = info.dwProcessId;
    ::WaitForInputIdle(process_.get(), 10000);
    const std::wstring caption = L"Quellix";
    WaitUntil([&] { return (mainWindow_ = FindProcessWindow(pid_, &caption, kFormClass, false)) != nullptr; });
}

QuellixProcess::~QuellixProcess() {
    if (process_ && Running()) {
        ::TerminateProcess(process_.get(), 1);
        ::WaitForSingleObject(process_.get(), 10000);
    }
    process_.reset();
    for (const wchar_t* name : {L"\\quellix.exe", L"\\values.zap", L"\\temp.zap"}) {
        const std::wstring path = folder_ + name;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        // The image may stay locked for a moment after the process ends.
        for (int attempt = 0; attempt < 50 && !::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND;
             ++attempt) {
            ::Sleep(20);
        }
    }
    ::RemoveDirectoryW(folder_.c_str());
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
        const auto got = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        items.push_back(text);
    }
    return items;
}

std::optional<std::string> QuellixProcess::ReadKeywordFile() const {
    const std::wstring path = folder_ + L"\\values.zap";
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(::GetFileSize(file.get(), nullptr)), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    bytes.resize(read);
    return bytes;
}

void QuellixProcess::WriteKeywordFile(const std::string& bytes) const {
    WriteFileBytes(folder_ + L"\\values.zap", bytes);
}

bool QuellixProcess::FileExists(const wchar_t* name) const {
    return ::GetFileAttributesW((folder_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void QuellixProcess::SendTrayEvent(UINT mouseMessage) const {
    ::PostMessageW(Picture1(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
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
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestPopup*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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
    KernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    thread_ = std::thread([this, title, hangMs, event = ready.get()] {
        hwnd_ = ::CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetEvent(event);
        ::Sleep(hangMs);  // answers nothing meanwhile
        ::DestroyWindow(hwnd_);
    });
    ::WaitForSingleObject(ready.get(), 10000);
}

HungWindow::~HungWindow() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace quellix::e2e
