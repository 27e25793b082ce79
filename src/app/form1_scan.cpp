// The main window's scan: the timer's tick, and the doorbell's rings when a window could be asked.
#include "app/form1.h"
#include "keywords/keyword_paths.h"

namespace quellix {

// One tick. The timer is off during the walk and switched on at its end, so the next tick comes
// one full interval after the walk, however long the walk took. The walk meets whatever rang before it.
void Form1::Timer1_Timer() {
    Timer1.SetEnabled(false);
    if (doorbell_) doorbell_->Answer(heard_);
    scanner_.Tick(KeywordFilePath());
    Timer1.SetEnabled(true);
}

// Another program's window was shown, retitled or uncloaked: just those windows are tested at once, by the walk's
// rules; more than the doorbell keeps make a whole walk. Never while the scan is paused (a dialog open, the list
// loading, a delete): the ring then waits for the first tick after the pause, whose walk answers it.
void Form1::Doorbell_Rang() {
    if (!Timer1.Enabled() || !doorbell_) return;
    doorbell_->Answer(heard_);
    if (heard_.tooMany) {
        Timer1_Timer();
    } else {
        scanner_.Check(heard_.windows, KeywordFilePath());
    }
}

}  // namespace quellix
