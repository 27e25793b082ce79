#include "platform/controls.h"

#include <commctrl.h>

#include "platform/screen.h"
#include "platform/window_class.h"

namespace quellix {
namespace {
constexpr wchar_t kPictureClass[] = L"QuellixPictureBox";
}

std::wstring Control::Text() const {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(std::wstring_view text) { ::SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

void ListBox::AddItem(std::wstring_view text) {
    ::SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

std::wstring ListBox::List(int index) const {
    const LRESULT length = ::SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        ::SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<std::size_t>(got));
    return text;
}

void TabControl::Attach(HWND hwnd, std::wstring_view tabCaption) {
    hwnd_ = hwnd;
    std::wstring caption(tabCaption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    ::SendMessageW(hwnd_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool PictureBox::Create(HWND parent, int id, const TwipsRect& r) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &PictureBox::WndProc;
    wc.lpszClassName = kPictureClass;
    if (!RegisterClassOnce(wc)) return false;
    // Never visible: created without WS_VISIBLE.
    hwnd_ = ::CreateWindowExW(0, kPictureClass, L"", WS_CHILD, TwipsToPixels(r.left), TwipsToPixels(r.top),
                              TwipsToPixels(r.width), TwipsToPixels(r.height), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK PictureBox::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    } else if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    } else if (msg == WM_MOUSEMOVE) {
        auto* self = reinterpret_cast<PictureBox*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && self->onMouseMove) self->onMouseMove(wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void Timer::SetEnabled(bool enabled) noexcept {
    enabled_ = enabled;
    if (enabled) {
        ::SetTimer(owner_, id_, interval_, nullptr);  // replaces a running one: the countdown restarts
    } else {
        ::KillTimer(owner_, id_);
    }
}

bool PopupMenu::Create(std::initializer_list<Item> items, int defaultId) {
    menu_.reset(::CreatePopupMenu());
    if (!menu_) return false;
    for (const Item& item : items) {
        const bool separator = std::wstring_view(item.caption) == L"-";
        ::AppendMenuW(menu_.get(), separator ? MF_SEPARATOR : MF_STRING, static_cast<UINT_PTR>(item.id),
                      separator ? nullptr : item.caption);
    }
    ::SetMenuDefaultItem(menu_.get(), static_cast<UINT>(defaultId), FALSE);
    return true;
}

int PopupMenu::TrackAtCursor(HWND owner, UINT flags) const {
    POINT at{};
    ::GetCursorPos(&at);
    return static_cast<int>(::TrackPopupMenu(menu_.get(), flags | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
}

}  // namespace quellix
