#include "platform/accessible_name.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "platform/named_accessible.h"

namespace quellix {
namespace {

constexpr UINT_PTR kNameSubclass = 1;
// The control's name, owned by the control from SetAccessibleName until it is destroyed.
constexpr wchar_t kNameProperty[] = L"QuellixAccessibleName";

std::wstring* NameOf(HWND control) { return static_cast<std::wstring*>(::GetPropW(control, kNameProperty)); }

LRESULT CALLBACK AnswerWithName(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    // The object id travels as a DWORD, whatever the width of lParam.
    if (msg == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const std::wstring* name = NameOf(control);
        if (const LRESULT named = name ? NamedAccessibleObject(control, wParam, *name) : 0) return named;
    } else if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &AnswerWithName, kNameSubclass);
        const std::unique_ptr<std::wstring> owned(static_cast<std::wstring*>(::RemovePropW(control, kNameProperty)));
    }
    return ::DefSubclassProc(control, msg, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, std::wstring_view name) {
    if (std::wstring* named = NameOf(control)) {
        *named = name;
        return;
    }
    auto owned = std::make_unique<std::wstring>(name);
    if (!::SetPropW(control, kNameProperty, owned.get())) return;
    if (!::SetWindowSubclass(control, &AnswerWithName, kNameSubclass, 0)) {
        ::RemovePropW(control, kNameProperty);
        return;
    }
    static_cast<void>(owned.release());  // the control's now
}

}  // namespace quellix
