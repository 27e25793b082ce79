// The main window's scan timer.
#include "app/form1.h"
#include "keywords/keyword_paths.h"

namespace quellix {

// One tick. The timer is off during the walk and switched on at its end, so the next tick comes
// one full interval after the walk, however long the walk took.
void Form1::Timer1_Timer() {
    Timer1.SetEnabled(false);
    scanner_.Tick(KeywordFilePath());
    Timer1.SetEnabled(true);
}

}  // namespace quellix
