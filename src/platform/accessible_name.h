#pragma once
#include <windows.h>

#include <string_view>

namespace quellix {

// Names a control that shows no text of its own (a list, a text box, a tab strip) for screen readers, which
// announce the name with the control. A control with no static text just before it has no name otherwise. Calling
// again changes the name; nothing visible changes.
//
// Windows keeps the name as a Dynamic Annotation (IAccPropServices), beside the control's standard accessible
// object, which every client reads, UI Automation's own proxies included. Wine 8 offers no annotations: there the
// control answers WM_GETOBJECT itself with its standard object under the name.
void SetAccessibleName(HWND control, std::wstring_view name);

}  // namespace quellix
