#include "platform/named_accessible.h"

#include <oleacc.h>

#include <memory>
#include <string>

#include "platform/system_library.h"
#include "platform/win_handle.h"

namespace quellix {
namespace {

using AllocString = BSTR(WINAPI*)(const OLECHAR*);

// oleacc and oleaut32 are found at run time: the exe imports neither.
struct Oleacc {
    using CreateStandard = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using ResultFromObject = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

    Oleacc() : oleacc(PinnedSystemLibrary(L"oleacc.dll")) {}
    bool Found() const noexcept { return createStandard && resultFromObject && allocString; }

    HMODULE oleacc;
    CreateStandard createStandard = ExportOf<CreateStandard>(oleacc, "CreateStdAccessibleObject");
    ResultFromObject resultFromObject = ExportOf<ResultFromObject>(oleacc, "LresultFromObject");
    AllocString allocString = ExportOf<AllocString>(PinnedSystemLibrary(L"oleaut32.dll"), "SysAllocString");
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Windows' own object for the control, but for the name of the control itself. Its IDispatch side answers
// nothing: clients read accessible objects through IAccessible.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(ComPtr<IAccessible> standard, std::wstring_view name, AllocString allocString)
        : standard_(std::move(standard)), name_(name), allocString_(allocString) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        const bool mine = iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible);
        *object = mine ? static_cast<IAccessible*>(this) : nullptr;
        if (!mine) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) {
            const std::unique_ptr<NamedAccessible> last(this);  // COM's rule: the last reference frees the object
        }
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return Standard()->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = allocString_(name_.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return Standard()->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return Standard()->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return Standard()->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Standard()->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return Standard()->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Standard()->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Standard()->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return Standard()->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return Standard()->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override {
        return Standard()->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return Standard()->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return Standard()->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Standard()->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return Standard()->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return Standard()->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return Standard()->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return Standard()->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return Standard()->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return Standard()->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return Standard()->put_accValue(child, value);
    }

private:
    IAccessible* Standard() const noexcept { return standard_.get(); }

    LONG references_ = 1;  // the creator's
    ComPtr<IAccessible> standard_;
    std::wstring name_;
    AllocString allocString_;
};

}  // namespace

LRESULT NamedAccessibleObject(HWND control, WPARAM wParam, std::wstring_view name) {
    const Oleacc oleacc;
    if (!oleacc.Found()) return 0;
    IAccessible* standard = nullptr;
    const HRESULT made =
        oleacc.createStandard(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard));
    if (FAILED(made)) return 0;
    const ComPtr<IAccessible> named(
        std::make_unique<NamedAccessible>(ComPtr<IAccessible>(standard), name, oleacc.allocString).release());
    // The result holds references of its own; a failure (no COM apartment) is negative.
    const LRESULT result = oleacc.resultFromObject(__uuidof(IAccessible), wParam, named.get());
    return result > 0 ? result : 0;
}

}  // namespace quellix
