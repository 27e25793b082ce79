#pragma once
#include "app/resource_ids.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace quellix::test {

// Stands in for the main window: the owner of a dialog, with the program's icon, its list and its scan timer.
class OwnerForm : public Form {
public:
    ListBox lstKeyword;
    Timer Timer1;

protected:
    Layout GetLayout() const override { return {L"Owner", 4000, 3000, false, IDI_APP}; }
    void CreateControls() override {
        lstKeyword.Create(*this, 10, {0, 0, 3000, 2000});
        Timer1.Create(*this, 1, 100);
    }
};

}  // namespace quellix::test
