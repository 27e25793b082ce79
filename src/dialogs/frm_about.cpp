#include "dialogs/frm_about.h"

namespace quellix {
namespace {
// The maker is made up; lines within a text are separated by a lone carriage return.
constexpr wchar_t kMakerName[] = L"Vorel Software";
constexpr wchar_t kAddressBlock[] =
    L"Vorel Software\r12 Sample Lane\rExampleton 00000\r\rE-mail: info@vorel.example\rWeb: www.vorel.example";
constexpr wchar_t kTelephoneLines[] = L"Phone: 555-0100\rFax: 555-0199";
constexpr wchar_t kTitleBlock[] = L"Vorel Quellix\r\r(c) 2024-2025 Vorel Software. All rights reserved.";
}  // namespace

Form::Layout frmAbout::GetLayout() const { return {kMakerName, 5550, 3600, true}; }

void frmAbout::CreateControls() {
    cmdOK.Create(*this, kCmdOK, L"&OK", {4200, 3120, 1215, 360}, Button::kDefault);
    Label4.Create(*this, kLabel4, {120, 0, 5415, 615});
    Line2.Create(*this, {120, 720}, {5520, 720});
    Label3.Create(*this, kLabel3, {3360, 1920, 2175, 1095});
    Label2.Create(*this, kLabel2, {120, 1920, 2535, 1455});
    Line1.Create(*this, {120, 1800}, {5520, 1800});
    SetTabOrder({cmdOK.Handle()});
}

void frmAbout::Form_Load() {
    Label2.SetCaption(kAddressBlock);
    Label3.SetCaption(kTelephoneLines);
    Label4.SetCaption(kTitleBlock);
}

void frmAbout::OnCommand(int id, int code) {
    if (id == kCmdOK && code == BN_CLICKED) cmdOK_Click();
}

void frmAbout::cmdOK_Click() { Unload(); }

}  // namespace quellix
