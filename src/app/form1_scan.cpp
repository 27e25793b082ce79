// The main window's scan: the timer's tick, and the doorbell that brings it forward when a window appears.
#include "app/form1.h"
#include "keywords/keyword_paths.h"

namespace quellix {

// One tick. The timer is off during the walk and switched on at its end, so the next tick comes
// one full interval after the walk, however long the walk took.
void Form1::Timer1_Timer() {
    Timer1.SetEnabled(false);
    if (doorbell_) doorbell_->Answer();
    scanner_.Tick(KeywordFilePath());
    Timer1.SetEnabled(true);
}

// A window appeared, was shown or retitled: the tick runs at once. Never while the scan is paused (a dialog open,
// the list loading, a delete): the ring then waits for the first tick after the pause, which answers it.
void Form1::Doorbell_Rang() {
    if (Timer1.Enabled()) Timer1_Timer();
}

}  // namespace quellix
