#include "platform/controls.h"

#include <commctrl.h>

#include "platform/twips.h"
#include "platform/window_class.h"

namespace quellix {
namespace {
constexpr wchar_t kPictureClass[] = L"QuellixPictureBox";
}

std::wstring Control::Text() const { return WindowText(hwnd_); }

void Control::SetText(std::wstring_view text) { ::SetWindowTextW(hwnd_, std::wstring(text).c_str()); }

bool Control::CreateIn(Form& form, const wchar_t* windowClass, std::wstring_view text, DWORD style, int id,
                       const TwipsRect& r, DWORD exStyle, void* createParam) {
    const auto place = [r](int dpi) { return TwipsToPixels(r, dpi); };
    hwnd_ = form.CreateChild(windowClass, text, style, id, place, exStyle, createParam);
    return hwnd_ != nullptr;
}

bool Control::CreateIn(Form& form, const wchar_t* windowClass, DWORD style, std::function<RECT(int dpi)> place) {
    hwnd_ = form.CreateChild(windowClass, L"", style, 0, std::move(place), 0, nullptr);
    return hwnd_ != nullptr;
}

bool Button::Create(Form& form, int id, std::wstring_view caption, const TwipsRect& r, Kind kind) {
    if (kind == kDefault) form.SetDefaultButton(id);
    const DWORD type = kind == kDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    // BS_NOTIFY tells the form when the button gains or loses the focus, so the default look can follow it.
    return CreateIn(form, WC_BUTTONW, caption, WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | type, id, r);
}

bool TextBox::Create(Form& form, int id, const TwipsRect& r) {
    if (!CreateIn(form, WC_EDITW, L"", WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, id, r)) {
        return false;
    }
    // Lift the control's default limit of 32767 characters: a keyword may be as long as the user likes.
    ::SendMessageW(hwnd_, EM_LIMITTEXT, 0, 0);
    return true;
}

bool Label::Create(Form& form, int id, const TwipsRect& r) {
    return CreateIn(form, WC_STATICW, L"", WS_VISIBLE | SS_LEFT | SS_NOPREFIX, id, r);
}

bool ListBox::Create(Form& form, int id, const TwipsRect& r) {
    return CreateIn(form, WC_LISTBOXW, L"",
                    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, id, r,
                    WS_EX_CLIENTEDGE);  // one sunken border: the client edge, not WS_BORDER as well
}

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

bool TabControl::Create(Form& form, int id, const TwipsRect& r, std::wstring_view tabCaption) {
    if (!CreateIn(form, WC_TABCONTROLW, L"", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, id, r)) return false;
    std::wstring caption(tabCaption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    ::SendMessageW(hwnd_, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return true;
}

bool PictureBox::Create(Form& form, int id, const TwipsRect& r) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = &PictureBox::WndProc;
    wc.lpszClassName = kPictureClass;
    if (!RegisterClassOnce(wc)) return false;
    return CreateIn(form, kPictureClass, L"", 0, id, r, 0, this);  // never visible: no WS_VISIBLE
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
