#pragma once
#include <windows.h>

#include "platform/caption_label.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/line.h"

namespace quellix {

// The modal window that names the product and its maker. It changes nothing.
class frmAbout : public Form {
public:
    // Not IDOK or IDCANCEL, as in the other dialogs: Escape must not reach a button.
    enum ControlId : int {
        kCmdOK = 301,
        kLabel4,
        kLabel3,
        kLabel2,
    };

    // Controls, in stored order.
    Button cmdOK;
    CaptionLabel Label4;  // product title block
    Line Line2;
    CaptionLabel Label3;  // telephone lines
    CaptionLabel Label2;  // address block
    Line Line1;

    void cmdOK_Click();

protected:
    Layout GetLayout() const override;
    void CreateControls() override;
    void Form_Load() override;
    void OnCommand(int id, int code) override;
};

}  // namespace quellix
