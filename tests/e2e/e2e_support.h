#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win_handle.h"

// Support for drivers that start the real quellix.exe and act on it through window messages, as a
// user's clicks and keystrokes would.
namespace quellix::e2e {

// The exe under test, from QUELLIX_EXE (a Unix path under Wine is reached through drive Z:).
std::wstring QuellixExePath();

// Pumps this thread's messages until done() holds or the time runs out; returns done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Pumps this thread's messages for a while (to let ticks of the program under test pass).
void PumpFor(DWORD ms);

// The text of a window of any process (wide, through WM_GETTEXT with a timeout).
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);
// The first child of parent with the given class and text.
HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text);
// A visible top-level window of the process with the given caption (and class, when given).
HWND FindTopLevel(DWORD pid, const std::wstring& caption, const std::wstring& windowClass = L"");
// The text of the static control of a message box (class #32770) of the process, or empty.
std::wstring MessageBoxText(HWND box);
// A visible message box of the process, or null.
HWND FindMessageBox(DWORD pid);

// A copy of quellix.exe in a fresh temporary folder, started with the given keyword file
// (none when nullopt). Ends the process by its handle and removes the folder on destruction.
// The folder's name starts with folderPrefix: one in another script tests paths beyond the code page.
class QuellixProcess {
public:
    explicit QuellixProcess(const std::optional<std::string>& keywordFile,
                            const std::wstring& folderPrefix = L"quellix-e2e-");
    ~QuellixProcess();
    QuellixProcess(const QuellixProcess&) = delete;
    QuellixProcess& operator=(const QuellixProcess&) = delete;

    bool Started() const { return mainWindow_ != nullptr; }
    DWORD Pid() const { return pid_; }
    HANDLE Process() const { return process_.get(); }
    bool Running() const;
    // Waits for the process to end; true when it did within the time.
    bool WaitForExit(DWORD timeoutMs = 10000);

    HWND MainWindow() const { return mainWindow_; }
    HWND Picture1() const;
    HWND Button(const std::wstring& caption) const;
    HWND List() const;
    std::vector<std::wstring> ListItems() const;
    bool MainWindowVisible() const { return ::IsWindowVisible(mainWindow_) != FALSE; }

    std::wstring Folder() const { return folder_; }
    std::optional<std::string> ReadKeywordFile() const;
    void WriteKeywordFile(const std::string& bytes) const;
    bool FileExists(const wchar_t* name) const;

    // A tray notification as the shell sends it: the mouse message in lParam's low word.
    void SendTrayEvent(UINT mouseMessage) const;
    // Shows the main window from the tray (left double-click) and waits until it is visible.
    bool ShowFromTray() const;

private:
    std::wstring folder_;
    KernelHandle process_;
    DWORD pid_ = 0;
    HWND mainWindow_ = nullptr;
};

// A top-level window of the driver that closes on WM_CLOSE and records the order of the closes.
class TestPopup {
public:
    // A popup that does not close on request (it asks its user, say) counts the requests only.
    explicit TestPopup(const std::wstring& title, bool visible = true, bool closesOnRequest = true);
    ~TestPopup();
    TestPopup(const TestPopup&) = delete;
    TestPopup& operator=(const TestPopup&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Closed() const { return !::IsWindow(hwnd_); }
    // The order in which this window was asked to close among all TestPopups (1 = first), or 0.
    int CloseOrder() const { return closeOrder_; }
    // When WM_CLOSE arrived (GetTickCount), or 0.
    DWORD ClosedAt() const { return closedAt_; }
    int CloseRequests() const { return closeRequests_; }
    void SetTitle(const std::wstring& title) const { ::SetWindowTextW(hwnd_, title.c_str()); }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    int closeOrder_ = 0;
    DWORD closedAt_ = 0;
    int closeRequests_ = 0;
    bool closesOnRequest_ = true;
};

// A window on a thread of its own that answers no message for hangMs (a hung program).
class HungWindow {
public:
    HungWindow(const std::wstring& title, DWORD hangMs);
    ~HungWindow();
    HWND Handle() const { return hwnd_; }

private:
    std::thread thread_;
    HWND hwnd_ = nullptr;
};

}  // namespace quellix::e2e
