#pragma once
#include <windows.h>

#include <string_view>

namespace quellix {

// Names a control that shows no text of its own (a list, a text box, a tab strip) for screen readers, which
// announce the name with the control. A control with no static text just before it has no name otherwise. Calling
// again changes the name; nothing visible changes.
//
// Windows also names a control after an invisible static text placed just before it, and after a name set with
// IAccPropServices; Wine 8 reads neither. The control's own answer to WM_GETOBJECT works on both.
void SetAccessibleName(HWND control, std::wstring_view name);

}  // namespace quellix
