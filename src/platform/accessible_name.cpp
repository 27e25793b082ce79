#include "platform/accessible_name.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "platform/named_accessible.h"
#include "platform/system_library.h"
#include "platform/win_handle.h"

namespace quellix {
namespace {

constexpr UINT_PTR kNameSubclass = 1;
// The control's name, owned by the control from SetAccessibleName until it is destroyed.
constexpr wchar_t kNameProperty[] = L"QuellixAccessibleName";
// Dynamic Annotation's service and the name's property, as oleacc.h gives them (written out: no import library).
constexpr CLSID kAccPropServices{0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices{0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID kNamePropId{0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

std::wstring* NameOf(HWND control) { return static_cast<std::wstring*>(::GetPropW(control, kNameProperty)); }

// oleacc's annotation service for this thread's COM apartment, or none (no apartment, no oleacc).
ComPtr<IAccPropServices> AnnotationService() {
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**);
    const auto create = ExportOf<CreateInstance>(PinnedSystemLibrary(L"ole32.dll"), "CoCreateInstance");
    IAccPropServices* service = nullptr;
    if (!create || FAILED(create(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                 reinterpret_cast<void**>(&service)))) {
        return {};
    }
    return ComPtr<IAccPropServices>(service);
}

// Windows keeps an annotated name beside the control's standard accessible object, which every client reads,
// UI Automation's own proxies for lists and text boxes included. Wine 8 does not implement it (E_NOTIMPL).
bool Annotate(HWND control, std::wstring_view name) {
    const ComPtr<IAccPropServices> service = AnnotationService();
    const std::wstring text(name);
    return service &&
           SUCCEEDED(service.get()->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, kNamePropId, text.c_str()));
}

// The annotation outlives the window unless it is cleared: a later window with the same handle would inherit it.
void ClearAnnotation(HWND control) {
    if (const ComPtr<IAccPropServices> service = AnnotationService()) {
        service.get()->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &kNamePropId, 1);
    }
}

// Where the name is not annotated, the control's own answer to WM_GETOBJECT carries it.
LRESULT CALLBACK AnswerWithName(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR annotated) {
    // The object id travels as a DWORD, whatever the width of lParam.
    if (msg == WM_GETOBJECT && !annotated && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        const std::wstring* name = NameOf(control);
        if (const LRESULT named = name ? NamedAccessibleObject(control, wParam, *name) : 0) return named;
    } else if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &AnswerWithName, kNameSubclass);
        if (annotated) ClearAnnotation(control);
        const std::unique_ptr<std::wstring> owned(static_cast<std::wstring*>(::RemovePropW(control, kNameProperty)));
    }
    return ::DefSubclassProc(control, msg, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, std::wstring_view name) {
    const bool annotated = Annotate(control, name);
    if (std::wstring* named = NameOf(control)) {  // named before: the subclass is in place
        *named = name;
        return;
    }
    auto owned = std::make_unique<std::wstring>(name);
    if (!::SetPropW(control, kNameProperty, owned.get())) return;
    if (!::SetWindowSubclass(control, &AnswerWithName, kNameSubclass, annotated)) {
        ::RemovePropW(control, kNameProperty);
        return;
    }
    static_cast<void>(owned.release());  // the control's now
}

}  // namespace quellix
