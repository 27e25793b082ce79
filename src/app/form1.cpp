#include "app/form1.h"

#include <system_error>

#include "app/resource_ids.h"
#include "tray/main_window_hook.h"
#include "tray/tray_icon.h"

namespace quellix {
namespace {
constexpr wchar_t kKeywordTab[] = L"Keyword";
}

// Unloads here, while the whole Form1 still exists, so its own unload step runs (icon, subclass).
Form1::~Form1() { Unload(); }

Form::Layout Form1::GetLayout() const { return {L"Quellix", 5550, 3315, true, IDI_APP}; }

void Form1::CreateControls() {
    // Created in tab order; the list goes before the tab control so that it lies above it.
    Command1.Create(*this, kCommand1, L"&Hide", {4200, 2760, 1215, 360}, Button::kDefault);
    Picture1.Create(*this, kPicture1, {2760, 2760, 375, 255});
    Picture1.onMouseMove = [this](WPARAM wParam, LPARAM lParam) { Picture1_MouseMove(wParam, lParam); };
    cmdAbout.Create(*this, kCmdAbout, L"A&bout", {4200, 2160, 1215, 360});
    cmdAdd.Create(*this, kCmdAdd, L"&Add", {4200, 360, 1215, 360});
    cmdDelete.Create(*this, kCmdDelete, L"&Delete", {4200, 960, 1215, 360});
    cmdEdit.Create(*this, kCmdEdit, L"&Edit", {4200, 1560, 1215, 360});
    lstKeyword.Create(*this, kLstKeyword, {120, 480, 3855, 2400});
    SSTab1.Create(*this, kSSTab1, {0, 0, 4095, 3135}, kKeywordTab);
    // No static text precedes them, so Windows would leave both unnamed: they take the tab's caption.
    lstKeyword.SetAccessibleName(kKeywordTab);
    SSTab1.SetAccessibleName(kKeywordTab);
    Timer1.Create(*this, kTimer1, 100);
    tmrTrayIcon.Create(*this, kTmrTrayIcon, 2000);
    mnuPopUp.Create({{kMnuShow, L"Show"},
                     {kMnuHide, L"Hide"},
                     {kMnuSeprator, L"-"},
                     {kMnuAbout, L"About"},
                     {kMnuExit, L"Exit"}},
                    kMnuShow);
    SetTabOrder({Command1.Handle(), Picture1.Handle(), cmdAbout.Handle(), cmdAdd.Handle(), cmdDelete.Handle(),
                 cmdEdit.Handle(), SSTab1.Handle(), lstKeyword.Handle()});
}

// Start-up: each step runs whether or not the one before it worked.
void Form1::Form_Load() {
    MainWindowHandle = Handle();
    Hide();
    AddTrayIcon();
    Hook();
    Timer1.SetEnabled(true);
    StartDoorbell();
}

// Without its thread (the system gave none) the program still walks every 100 ms.
void Form1::StartDoorbell() {
    if (doorbellFor_ == Doorbell::None) return;
    try {
        doorbell_.emplace(Handle(), kDoorbellRang, doorbellFor_ == Doorbell::ForAll ? 0 : ::GetCurrentProcessId());
    } catch (const std::system_error&) {
        doorbell_.reset();
    }
}

void Form1::Form_Activate() { LoadKeywords(); }

// The mirror of the load step: the doorbell stops, the icon goes, then the subclass; each step runs whatever the one
// before did.
void Form1::Form_Unload() {
    doorbell_.reset();
    tmrTrayIcon.SetEnabled(false);
    RemoveTrayIconRecord(TrayIconData, notify_);
    if (HookInstalled) Unhook();
}

void Form1::OnCommand(int id, int code) {
    if (code == LBN_DBLCLK && id == kLstKeyword) return lstKeyword_DblClick();
    if (code != BN_CLICKED) return;  // menu items arrive with code 0, which is BN_CLICKED too
    switch (id) {
    case kCommand1: return Command1_Click();
    case kCmdAbout: return cmdAbout_Click();
    case kCmdAdd: return cmdAdd_Click();
    case kCmdDelete: return cmdDelete_Click();
    case kCmdEdit: return cmdEdit_Click();
    case kMnuShow: return mnuShow_Click();
    case kMnuHide: return mnuHide_Click();
    case kMnuAbout: return mnuAbout_Click();
    case kMnuExit: return mnuExit_Click();
    }
}

// A WM_TIMER may come while the timer is off: posted by another program, or queued just before it was switched
// off. It must neither start a walk nor, by the walk's end, switch the scan on while a dialog is open.
void Form1::OnTimer(UINT_PTR id) {
    if (id == Timer1.Id() && Timer1.Enabled()) Timer1_Timer();
    if (id == tmrTrayIcon.Id() && tmrTrayIcon.Enabled()) tmrTrayIcon_Timer();
}

LRESULT Form1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The notification area restarted without our icon; before the load step added it there is nothing to put back.
    if (IsTaskbarCreated(msg) && TrayIconData.cbSize != 0) ShowTrayIcon();
    if (msg == kDoorbellRang) {
        Doorbell_Rang();
        return 0;
    }
    const LRESULT result = Form::HandleMessage(msg, wParam, lParam);
    if (msg == WM_DESTROY) ::PostQuitMessage(0);  // the program ends with its main window
    return result;
}

}  // namespace quellix
