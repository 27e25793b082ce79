#pragma once
#include <windows.h>

#include "platform/win_handle.h"

namespace quellix {

enum class IconSize { kSmall, kBig };

// An icon resource of the exe at the size Windows draws a window's icons at that DPI: the small one in the caption,
// the big one in Alt+Tab. Windows picks the image of the icon that suits the size best.
IconHandle LoadWindowIcon(int iconId, IconSize size, int dpi);

// An icon resource of the exe at the size the notification area asks for (LoadIconMetric's small size, where
// Windows has it; the system's small icon size otherwise).
IconHandle LoadNotificationIcon(int iconId);

}  // namespace quellix
