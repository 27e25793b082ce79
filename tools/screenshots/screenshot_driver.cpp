// Renders the README's pictures of the running program: it starts quellix.exe with a few keywords, brings up each
// window a user sees in turn, and saves each as a BMP cut to the window and a small margin of desktop around it.
// Usage: quellix_screenshots OUTPUT_FOLDER   (QUELLIX_EXE names the program, as for the end-to-end drivers)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "support/user_actions.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/win_handle.h"
#include "screen_capture.h"

namespace quellix::screenshots {
namespace {

using test::FindChild;
using test::kGenerous;
using test::Press;
using test::PumpFor;
using test::QuellixProcess;
using test::WaitUntil;

constexpr DWORD kSettle = 600;      // lets a window that just appeared finish painting
constexpr LONG kMargin = 10;        // desktop pixels kept around each window
constexpr char kKeywords[] = "casino\r\nlottery winner\r\nFree  offer\r\nsurvey\r\n";
constexpr wchar_t kEditCaption[] = L"Change 'casino' to";
constexpr wchar_t kAboutCaption[] = L"Vorel Software";
constexpr wchar_t kNoSelection[] = L"First select an entry to delete!";

// Under Wine a Unix path is reached through drive Z:.
std::wstring WindowsPath(std::wstring path) {
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

void Note(const std::wstring& text) { std::fwprintf(stderr, L"quellix_screenshots: %ls\n", text.c_str()); }

RECT Around(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::InflateRect(&r, kMargin, kMargin);
    return r;
}

bool Gone(HWND window) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, kGenerous);
}

// A visible top-level window of the program, given time to paint; null when none came.
HWND WaitForShown(const test::WindowQuery& query) {
    const HWND found = test::WaitForWindow(query);
    if (found) PumpFor(kSettle);
    return found;
}

// Writes each picture into one folder and counts what went wrong.
class Album {
public:
    explicit Album(std::wstring folder) : folder_(std::move(folder)) {}

    void Take(const wchar_t* name, RECT area) {
        const std::wstring path = folder_ + L"\\" + name + L".bmp";
        if (!SaveScreenAsBmp(area, path)) return Fail(L"could not copy the screen into " + path);
        std::wprintf(L"%ls\n", path.c_str());
    }
    void Fail(const std::wstring& why) {
        Note(why);
        ++failures_;
    }
    int Failures() const { return failures_; }

private:
    std::wstring folder_;
    int failures_ = 0;
};

void MainWindow(const QuellixProcess& quellix, Album& album) {
    if (!quellix.ShowFromTray()) return album.Fail(L"the main window did not show from the tray");
    quellix.Select(1);
    PumpFor(kSettle);
    album.Take(L"main-window", Around(quellix.MainWindow()));
    Press(quellix.Button(L"&Hide"));
    if (!Gone(quellix.MainWindow())) album.Fail(L"Hide left the main window on screen");
}

// In the 96-DPI run: the main window as it is after Windows moved it to a monitor at 150 %. Wine gives every monitor
// one DPI and never sends the message itself, so the driver sends it, and then the move back.
void MainWindowMovedTo144Dpi(const QuellixProcess& quellix, Album& album) {
    if (ScreenDpi() != 96) return;
    if (!quellix.ShowFromTray()) return album.Fail(L"the main window did not show from the tray");
    quellix.Select(1);
    const HWND main = quellix.MainWindow();
    RECT before{};
    ::GetWindowRect(main, &before);
    test::SendDpiChanged(main, quellix.Process(), 96, 144);
    RECT client{};
    ::GetClientRect(main, &client);
    if (client.right != TwipsToPixels(5550, 144)) return album.Fail(L"the main window did not follow the move");
    PumpFor(kSettle);
    album.Take(L"main-window-moved-to-144dpi", Around(main));
    // Back where it was, so that the pictures after this one show the desktop as before.
    test::SendDpiChanged(main, quellix.Process(), 144, 96);
    ::SetWindowPos(main, nullptr, before.left, before.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Press(quellix.Button(L"&Hide"));
    if (!Gone(main)) album.Fail(L"Hide left the main window on screen");
}

HWND OpenTrayMenu(const QuellixProcess& quellix, POINT at) {
    ::SetCursorPos(at.x, at.y);
    PumpFor(300);  // the move reaches the other process's view of the mouse a moment later
    const HWND menu = test::OpenTrayMenu(quellix);
    if (menu) PumpFor(kSettle);
    return menu;
}

bool CloseMenu(HWND menu) {
    test::PressKeys(menu, {VK_ESCAPE});
    return Gone(menu);
}

// The menu opens at the mouse, as after a right-click on the icon at the taskbar's right end. Windows flips a menu
// that does not fit below the mouse to above it; Wine shifts it up instead, over the taskbar and the icon. So the
// menu is opened once in free space to learn its height, then again that much above the icon, where Windows shows it.
void TrayMenu(const QuellixProcess& quellix, Album& album) {
    RECT taskbar{};
    const HWND shellTray = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!shellTray || !::GetWindowRect(shellTray, &taskbar)) {
        const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
        taskbar = {0, height, width, height};  // no taskbar: the screen's bottom right corner stands in for it
    }
    const LONG iconX = taskbar.right - 18;
    HWND menu = OpenTrayMenu(quellix, {iconX, taskbar.top / 2});
    if (!menu) return album.Fail(L"the tray menu did not open");
    RECT placed{};
    ::GetWindowRect(menu, &placed);
    if (!CloseMenu(menu)) return album.Fail(L"the tray menu did not close");
    menu = OpenTrayMenu(quellix, {iconX, taskbar.top - (placed.bottom - placed.top)});
    if (!menu) return album.Fail(L"the tray menu did not open a second time");
    RECT area = Around(menu);
    // Down to the taskbar's bottom edge and its right end, so that the icon the menu belongs to is in the picture,
    // with a stretch of the taskbar to its left.
    area.bottom = std::max(area.bottom, taskbar.bottom);
    area.right = std::max(area.right, taskbar.right);
    area.left -= 4 * kMargin;
    album.Take(L"tray-menu", area);
    if (!CloseMenu(menu)) album.Fail(L"the tray menu did not close");
}

// Opens a dialog with a button of the main window, types into it, takes it and cancels it.
void TypedDialog(const QuellixProcess& quellix, Album& album, const wchar_t* button, const std::wstring& caption,
                 const std::wstring& typed, const wchar_t* name) {
    Press(quellix.Button(button));
    const HWND dialog = WaitForShown({.pid = quellix.Pid(), .caption = caption.c_str()});
    if (!dialog) return album.Fail(L"no window \"" + caption + L"\" opened");
    test::Type(test::TextBox(dialog), typed);
    PumpFor(kSettle);
    album.Take(name, Around(dialog));
    Press(FindChild(dialog, L"Button", L"&Cancel"));
    if (!Gone(dialog)) album.Fail(L"Cancel did not close \"" + caption + L"\"");
}

void Dialogs(const QuellixProcess& quellix, Album& album) {
    if (!quellix.ShowFromTray()) return album.Fail(L"the main window did not show from the tray");
    TypedDialog(quellix, album, L"&Add", test::kAddCaption, L"prize draw", L"add-dialog");
    // The list is reloaded and unselected after each dialog: choose the entry the Edit caption names.
    WaitUntil([&] { return !quellix.ListItems().empty(); }, kGenerous);
    quellix.Select(0);
    TypedDialog(quellix, album, L"&Edit", kEditCaption, L"casino bonus", L"edit-dialog");

    Press(quellix.Button(L"A&bout"));
    const HWND about = WaitForShown({.pid = quellix.Pid(), .caption = kAboutCaption});
    if (!about) return album.Fail(L"the About window did not open");
    album.Take(L"about-window", Around(about));
    Press(FindChild(about, L"Button", L"&OK"));
    if (!Gone(about)) album.Fail(L"OK did not close the About window");
}

void MessageBoxScene(const QuellixProcess& quellix, Album& album) {
    quellix.Select(-1);
    Press(quellix.Button(L"&Delete"));
    const HWND box = test::WaitForWindow({.pid = quellix.Pid(), .windowClass = test::kMessageBoxClass});
    if (!box) return album.Fail(L"Delete with nothing selected showed no message");
    if (test::MessageBoxText(box) != kNoSelection) album.Fail(L"unexpected message: " + test::MessageBoxText(box));
    PumpFor(kSettle);
    album.Take(L"message-box", Around(box));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!Gone(box)) album.Fail(L"OK did not close the message box");
}

int Run(const std::wstring& folder) {
    ::CreateDirectoryW(folder.c_str(), nullptr);  // it may exist already; a missing folder shows at the first write
    Album album(folder);
    QuellixProcess quellix{std::string(kKeywords)};
    if (!quellix.Started()) {
        Note(L"could not start " + test::QuellixExePath());
        return 1;
    }
    MainWindow(quellix, album);
    MainWindowMovedTo144Dpi(quellix, album);
    TrayMenu(quellix, album);
    Dialogs(quellix, album);
    MessageBoxScene(quellix, album);
    // Ended as a user ends it, so that its icon leaves the tray; the process handle ends it otherwise.
    ::PostMessageW(quellix.MainWindow(), WM_CLOSE, 0, 0);
    if (!quellix.WaitForExit(kGenerous)) album.Fail(L"the program did not end on WM_CLOSE");
    return album.Failures() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace quellix::screenshots

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quellix_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    // The argument arrives in the ANSI code page.
    const int length = ::MultiByteToWideChar(CP_ACP, 0, argv[1], -1, nullptr, 0);
    std::wstring folder(static_cast<std::size_t>(std::max(length, 1)), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, argv[1], -1, folder.data(), length);
    folder.resize(folder.size() - 1);  // the terminating null
    return quellix::screenshots::Run(quellix::screenshots::WindowsPath(folder));
}
