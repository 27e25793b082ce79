// Handlers whose subsystems have not landed yet; each moves to its own folder when it does.
#include "app/form1.h"
#include "tray/main_window_hook.h"

namespace quellix {

}  // namespace quellix
