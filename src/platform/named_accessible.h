#pragma once
#include <windows.h>

#include <string_view>

namespace quellix {

// The answer to a WM_GETOBJECT for a control's client area: the accessible object Windows makes for the control's
// class, under the given name; its role, state, value and children stay Windows' own. 0 when that cannot be made
// (no COM apartment on this thread, no oleacc): the control then lets Windows answer, unnamed as before.
LRESULT NamedAccessibleObject(HWND control, WPARAM wParam, std::wstring_view name);

}  // namespace quellix
