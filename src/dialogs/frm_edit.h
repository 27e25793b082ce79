#pragma once
#include <string>

#include "platform/controls.h"
#include "platform/form.h"

namespace quellix {

// The modal dialog in which the user types a replacement for the entry selected in the main window's list. It
// reads that entry from the list itself; the opener pauses and resumes the scan around it.
class frmEdit : public Form {
public:
    // Not IDOK or IDCANCEL: Escape would then press a button, and it must do nothing.
    enum ControlId : int {
        kCmdCancel = 201,
        kCmdOk,
        kTxtEdit,
    };

    explicit frmEdit(const ListBox& lstKeyword) noexcept : lstKeyword_(lstKeyword) {}

    // Controls, in stored order.
    Button cmdCancel;
    Button cmdOk;
    TextBox txtEdit;

    void cmdCancel_Click();
    void cmdOk_Click();

protected:
    Layout GetLayout() const override;
    void CreateControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void OnCommand(int id, int code) override;

private:
    std::wstring SelectedKeyword() const;

    const ListBox& lstKeyword_;
    std::wstring openedFor_;  // the entry named in the caption
};

}  // namespace quellix
