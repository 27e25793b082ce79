#pragma once
#include "platform/controls.h"
#include "platform/form.h"

namespace quellix {

// The modal dialog in which the user types one new title keyword. Its opener keeps the scan paused while it is
// open.
class frmAdd : public Form {
public:
    // Not IDOK or IDCANCEL: Escape would then press a button, and it must do nothing.
    enum ControlId : int {
        kCmdCancel = 101,
        kTxtTitle,
        kCmdOK,
    };

    // Controls, in stored order.
    Button cmdCancel;
    TextBox txtTitle;
    Button cmdOK;

    void cmdCancel_Click();
    void cmdOK_Click();

protected:
    Layout GetLayout() const override;
    void CreateControls() override;
    void Form_Load() override;
    void Form_Activate() override;
    void OnCommand(int id, int code) override;
};

}  // namespace quellix
