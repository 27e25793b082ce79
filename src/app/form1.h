#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "scanner/popup_scanner.h"
#include "tray/tray_event.h"

namespace quellix {

// The main window and the program's start-up object: the keyword list with its buttons, and the
// pieces the user never sees (the scan timer, the tray icon's message target, the tray menu).
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
        kMnuShow = 2001,
        kMnuHide,
        kMnuSeprator,
        kMnuAbout,
        kMnuExit,
    };

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

    // The shell's notification-icon record in its first, smallest form.
    NOTIFYICONDATAA TrayIconData{};

    // Keyword list
    void LoadKeywords();
    // Scan
    void Timer1_Timer();
    // Tray
    void AddTrayIcon();
    void Picture1_MouseMove(WPARAM wParam, LPARAM lParam);
    void mnuShow_Click();
    void mnuHide_Click();
    void mnuAbout_Click();
    void mnuExit_Click();
    void Command1_Click();
    // Buttons
    void cmdAdd_Click();
    void cmdEdit_Click();
    void lstKeyword_DblClick();
    void cmdDelete_Click();
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
    TrayEventFilter trayEvents_;
    PopupScanner scanner_;
};

}  // namespace quellix
