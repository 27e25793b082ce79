#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <optional>

#include "platform/controls.h"
#include "platform/form.h"
#include "scanner/new_window_doorbell.h"
#include "scanner/popup_scanner.h"
#include "tray/tray_event.h"
#include "tray/tray_icon.h"

namespace quellix {

// The main window and the program's start-up object: the keyword list with its buttons, and the
// pieces the user never sees (the scan timer, the tray icon's message target, the tray menu).
// Its handlers are a few lines each over the subsystems: form1.cpp holds the layout and the
// window's own steps, form1_keywords.cpp the list and Delete, form1_dialogs.cpp the buttons that
// open dialogs, form1_tray.cpp the tray icon, its menu and Hide, form1_scan.cpp the tick and the doorbell.
class Form1 : public Form {
public:
    enum ControlId : int {
        kCommand1 = 1001,
        kPicture1,
        kCmdAbout,
        kCmdAdd,
        kCmdDelete,
        kCmdEdit,
        kSSTab1,
        kLstKeyword,
        kTimer1 = 1,
        kTmrTrayIcon,
        kMnuShow = 2001,
        kMnuHide,
        kMnuSeprator,
        kMnuAbout,
        kMnuExit,
    };

    // Posted by the new-window doorbell.
    static constexpr UINT kDoorbellRang = WM_APP + 16;

    // Whose windows the doorbell announces: other programs' (as released), every program's (a test whose own windows
    // stand for another program's), or none: without it (a benchmark's build) only the timer walks.
    enum class Doorbell { ForOthers, ForAll, None };

    // notify reaches the notification area: Shell_NotifyIconA, or a test's stand-in.
    explicit Form1(TrayNotify notify = &::Shell_NotifyIconA, Doorbell doorbell = Doorbell::ForOthers)
        : notify_(std::move(notify)), doorbellFor_(doorbell) {}
    ~Form1() override;

    // Controls, in stored order.
    TabControl SSTab1;
    ListBox lstKeyword;
    Button cmdEdit;
    Button cmdDelete;
    Button cmdAdd;
    Button cmdAbout;
    PictureBox Picture1;
    Timer Timer1;
    Button Command1;
    PopupMenu mnuPopUp;
    // Tries the icon again while the notification area refuses it (at logon), every couple of seconds.
    Timer tmrTrayIcon;

    // The shell's notification-icon record in its first, smallest form.
    NOTIFYICONDATAA TrayIconData{};

    // Keyword list
    void LoadKeywords();
    void cmdDelete_Click();
    // Scan
    void Timer1_Timer();
    void Doorbell_Rang();
    // What the scan has done so far.
    PopupScanner::Counts ScanCounts() const { return scanner_.Done(); }
    // Tray
    void AddTrayIcon();
    void Picture1_MouseMove(WPARAM wParam, LPARAM lParam);
    void mnuShow_Click();
    void mnuHide_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void Command1_Click();
    void tmrTrayIcon_Timer();
    // Dialogs
    void cmdAdd_Click();
    void cmdEdit_Click();
    void lstKeyword_DblClick();
    void cmdAbout_Click();

protected:
    Layout GetLayout() const override;
    void CreateControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowTrayIcon();
    void StartDoorbell();

    TrayNotify notify_;
    TrayEventFilter trayEvents_;
    int trayIconTries_ = 0;
    IconHandle trayIcon_;  // the record's, at the notification area's size
    PopupScanner scanner_;
    Doorbell doorbellFor_;
    std::optional<NewWindowDoorbell> doorbell_;
    NewWindowDoorbell::Heard heard_;  // what the last ring handed over, its storage kept from ring to ring
};

}  // namespace quellix
