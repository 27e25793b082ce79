#pragma once
#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win_handle.h"
#include "support/temp_files.h"

// Support for drivers that start the real quellix.exe and act on it through window messages, as a
// user's clicks and keystrokes would.
namespace quellix::test {

// The exe under test, from QUELLIX_EXE (a Unix path under Wine is reached through drive Z:).
std::wstring QuellixExePath();

// Starts a program in the given folder; its process handle, or none.
KernelHandle StartProgram(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                          DWORD* pid = nullptr);

// A copy of quellix.exe in a fresh temporary folder, started with the given keyword file
// (none when nullopt). Ends the process by its handle and removes the folder on destruction.
// The folder's name starts with folderPrefix: one in another script tests paths beyond the code page. A benchmark
// may start another build of the program (exe) with arguments; the copy is still named quellix.exe.
class QuellixProcess {
public:
    explicit QuellixProcess(const std::optional<std::string>& keywordFile,
                            const std::wstring& folderPrefix = L"quellix-e2e",
                            const std::wstring& exe = QuellixExePath(), const std::wstring& arguments = L"");
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
    // Waits until the list shows these items.
    bool ListShows(const std::vector<std::wstring>& items) const;
    void Select(int index) const;
    bool MainWindowVisible() const { return ::IsWindowVisible(mainWindow_) != FALSE; }
    // The control of the program that has the keyboard focus, or null.
    HWND Focus() const;

    std::wstring Folder() const { return folder_.Path(); }
    std::optional<std::string> ReadKeywordFile() const;
    void WriteKeywordFile(const std::string& bytes) const;
    bool FileExists(const wchar_t* name) const;

    // A tray notification as the shell sends it: the mouse message in lParam's low word.
    void SendTrayEvent(UINT mouseMessage) const;
    // Shows the main window from the tray (left double-click) and waits until it is visible.
    bool ShowFromTray() const;

private:
    TempFolder folder_;
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

// A window on a thread of its own that answers no message for hangMs (a hung program), then reads what was
// posted to it meanwhile.
class HungWindow {
public:
    HungWindow(const std::wstring& title, DWORD hangMs);
    ~HungWindow();
    HWND Handle() const { return hwnd_; }
    // Once the hang is over (after Join): when each close request was posted (GetMessageTime).
    void Join();
    const std::vector<DWORD>& CloseRequestTimes() const { return closeTimes_; }

private:
    std::thread thread_;
    HWND hwnd_ = nullptr;
    std::vector<DWORD> closeTimes_;
};

// Keeps a thread's queue from running empty, so that its timers cannot tick (a timer message comes only while no
// posted message waits): whatever the thread still does, other messages bring about. Threads of its own post
// LB_SETHORIZONTALEXTENT to one of the thread's list boxes, counting up, and read back how far it has got, so
// that about twenty thousand wait at a time (Wine's queues have no limit; a second or more of work).
class MessageFlood {
public:
    explicit MessageFlood(HWND listBox);
    ~MessageFlood();
    MessageFlood(const MessageFlood&) = delete;
    MessageFlood& operator=(const MessageFlood&) = delete;
    // True once that many wait.
    bool Deep() const { return deep_; }

private:
    HWND listBox_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> deep_{false};
    std::atomic<WPARAM> posted_{0};
    std::atomic<WPARAM> done_{0};
    std::vector<std::thread> threads_;
};

// A window of another thread that answers every close request as an editor with unsaved text does: with a
// modal question ("Save changes?", captioned "Notes"), which disables the window while it is open; or with a question
// of no owner, which leaves it enabled; or by staying without a word.
class QuestioningWindow {
public:
    enum class Answer { kOwnedQuestion, kUnownedQuestion, kNothing };
    explicit QuestioningWindow(const std::wstring& title, Answer answer = Answer::kOwnedQuestion);
    ~QuestioningWindow();
    QuestioningWindow(const QuestioningWindow&) = delete;
    QuestioningWindow& operator=(const QuestioningWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    int CloseRequests() const { return requests_; }
    // Questions open at once.
    int OpenQuestions() const { return openQuestions_; }
    // Cancels the question that is open, as the user would: the window stays, with its work.
    void CancelQuestion() const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    std::thread thread_;
    DWORD threadId_ = 0;
    HWND hwnd_ = nullptr;
    Answer answer_;
    std::atomic<int> requests_{0};
    std::atomic<int> openQuestions_{0};
};

}  // namespace quellix::test
