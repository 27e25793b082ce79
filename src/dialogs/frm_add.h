#pragma once
#include "platform/controls.h"
#include "platform/form.h"

namespace quellix {

// The modal dialog in which the user types one new title keyword. The scan stays paused while it is open; its
// unload switches the scan timer it was given back on, whatever closed it.
class frmAdd : public Form {
public:
    // Not IDOK or IDCANCEL: Escape would then press a button, and it must do nothing.
    enum ControlId : int {
        kCmdCancel = 101,
        kTxtTitle,
        kCmdOK,
    };

    explicit frmAdd(Timer& timer1) noexcept : timer1_(timer1) {}
    ~frmAdd() override { Unload(); }  // runs Form_Unload while this object is still whole

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
    void Form_Unload() override;
    void OnCommand(int id, int code) override;

private:
    Timer& timer1_;
};

}  // namespace quellix
