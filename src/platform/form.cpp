#include "platform/form.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/icons.h"
#include "platform/message_loop.h"
#include "platform/screen.h"
#include "platform/window_class.h"
#include "platform/window_dpi.h"

namespace quellix {
namespace {

constexpr wchar_t kFormClass[] = L"QuellixForm";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW;  // a taskbar button of its own, also when owned

bool RegisterFormClass(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.lpfnWndProc = proc;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    return RegisterClassOnce(wc);
}

// The classic 8-point dialog font that the twips layout was made for, at the window's DPI. Windows' message font,
// Segoe UI 9 pt, is larger and would clip the multi-line labels; Wine's is Tahoma 8, which hides the difference there.
FontHandle CreateDialogFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(8, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return FontHandle(::CreateFontIndirectW(&font));
}

bool IsPushButton(HWND control) {
    const auto type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return HasClassName(control, WC_BUTTONW) && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool CanTakeFocus(HWND control) { return ::IsWindowVisible(control) && ::IsWindowEnabled(control); }

// Posted when a button gains or loses the focus, so the default look is set once the focus has settled (a move
// from one button to the next tells the form twice).
constexpr UINT kFollowFocus = WM_APP + 1;

}  // namespace

Form* Form::activeForm_ = nullptr;
std::vector<HWND> Form::formWindows_;

Form::~Form() { Unload(); }

bool Form::IsFormWindow(HWND hwnd) noexcept {
    return hwnd && std::find(formWindows_.begin(), formWindows_.end(), hwnd) != formWindows_.end();
}

Form* Form::FromHandle(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    if (!HasClassName(hwnd, kFormClass)) return nullptr;
    return reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Form::Load(HWND owner) {
    if (hwnd_) return true;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!RegisterFormClass(&Form::StaticWndProc)) return false;
    const Layout layout = GetLayout();
    // Made on the monitor where it will be placed, so that it has that monitor's DPI from the start: the primary
    // one for a form centred on the screen, the owner's for a dialog.
    const RECT monitor = MonitorRect(layout.centerOnFirstShow ? nullptr : owner);
    ::CreateWindowExW(kFormExStyle, kFormClass, layout.caption.c_str(), kFormStyle, monitor.left, monitor.top, 0, 0,
                      owner, nullptr, instance, this);
    if (!hwnd_) return false;
    dpi_ = WindowDpi(hwnd_);
    SizeToLayout({monitor.left, monitor.top});
    TakeIcon(layout.iconId, owner);
    font_ = CreateDialogFont(dpi_);
    CreateControls();
    Form_Load();
    return hwnd_ != nullptr;  // the load step may have unloaded the form
}

void Form::Show() {
    if (!hwnd_) return;
    if (!shownOnce_ && GetLayout().centerOnFirstShow) CenterOnScreen();
    shownOnce_ = true;
    ::ShowWindow(hwnd_, SW_SHOW);
    // A window made active while it was hidden (the tray icon's foreground call does that) gets no new
    // activation from being shown: its activation happens now.
    if (::GetActiveWindow() == hwnd_ && activeForm_ != this) Activate();
}

void Form::Hide() {
    if (!hwnd_) return;
    ::ShowWindow(hwnd_, SW_HIDE);
    LeaveActiveForm();
}

void Form::Unload() {
    if (!hwnd_) return;
    ReleaseModalOwner();
    ::DestroyWindow(hwnd_);
}

// The owner must take input again before this window goes, so that activation returns to it.
void Form::ReleaseModalOwner() {
    if (modalOwner_) ::EnableWindow(std::exchange(modalOwner_, nullptr), TRUE);
}

void Form::ShowModal(HWND owner) {
    if (!Load(owner)) return;
    if (owner && ::IsWindowEnabled(owner)) {
        modalOwner_ = owner;
        ::EnableWindow(owner, FALSE);
    }
    Show();
    // This form is now the program's active form, even when the program is in the background and
    // the system activates nothing.
    SetActiveForm(this);
    RunModalLoop([this] { return IsLoaded(); });
    // The owner is the program's active form again, for the same reason. It may be gone by now:
    // look it up afresh.
    Form* ownerForm = FromHandle(owner);
    if (ownerForm && ::IsWindowVisible(owner)) SetActiveForm(ownerForm);
}

void Form::SetActiveForm(Form* form) {
    if (activeForm_ == form) return;
    activeForm_ = form;
    if (form) form->Form_Activate();
}

void Form::LeaveActiveForm() noexcept {
    if (activeForm_ == this) activeForm_ = nullptr;
}

// Owned forms show their owner's icon; the main window names its own.
void Form::TakeIcon(int iconId, HWND owner) {
    const Form* ownerForm = FromHandle(owner);
    iconId_ = iconId != 0 ? iconId : ownerForm ? ownerForm->iconId_ : 0;
    LoadIcons();
}

// At the form's DPI, each from the image of the icon that suits its size, so that no caption shows an icon scaled
// from another DPI's size. The old icons go once the window shows the new ones.
void Form::LoadIcons() {
    if (iconId_ == 0) return;
    IconHandle bigIcon = LoadWindowIcon(iconId_, IconSize::kBig, dpi_);
    IconHandle smallIcon = LoadWindowIcon(iconId_, IconSize::kSmall, dpi_);
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    bigIcon_ = std::move(bigIcon);
    smallIcon_ = std::move(smallIcon);
}

std::wstring Form::Caption() const { return WindowText(hwnd_); }

void Form::SetCaption(std::wstring_view caption) { ::SetWindowTextW(hwnd_, std::wstring(caption).c_str()); }

SIZE Form::OuterSizeTwips() const {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    return {PixelsToTwips(r.right - r.left, dpi_), PixelsToTwips(r.bottom - r.top, dpi_)};
}

void Form::MoveTwips(int left, int top, POINT origin) {
    ::SetWindowPos(hwnd_, nullptr, origin.x + TwipsToPixels(left, dpi_), origin.y + TwipsToPixels(top, dpi_), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The client area is the layout's twips at the form's DPI. Where the frame came out other than the system said it
// would, the outer size is corrected by what the client area missed: Wine draws every frame at the system DPI, and
// so does Windows 10 1607, which runs the program in plain per-monitor mode (it knows no v2).
void Form::SizeToLayout(POINT at) {
    const SIZE client = LayoutClientPixels();
    const SIZE outer = FrameAroundClient(client, kFormStyle, kFormExStyle, dpi_);
    ::SetWindowPos(hwnd_, nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT got{};
    ::GetClientRect(hwnd_, &got);
    if (got.right == client.cx && got.bottom == client.cy) return;
    ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx + client.cx - got.right, outer.cy + client.cy - got.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE Form::LayoutClientPixels() const {
    const Layout layout = GetLayout();
    return {TwipsToPixels(layout.clientWidth, dpi_), TwipsToPixels(layout.clientHeight, dpi_)};
}

bool Form::AtLayoutSize() const {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const SIZE layout = LayoutClientPixels();
    return client.right == layout.cx && client.bottom == layout.cy;
}

// Windows moved the window to a monitor of another DPI, or the monitor's scale changed: the same twips at the new DPI,
// where Windows suggests. A window at its layout size gets its layout's size there; one the user resized takes the
// suggested rectangle, in which Windows scaled the user's size, as it documents. (Wine scales no frame, so there the
// suggested rectangle of a window at its layout size is a few pixels off the layout.) Under per-monitor v2 Windows
// scales what it draws for us itself: the caption and frame, message boxes, the tray menu. In plain per-monitor mode
// (Windows 8.1's, and Windows 10 1607's) it scales none of those: they stay at the system DPI, sharp but sized for the
// primary monitor, and the program leaves them so. Windows 8.1 reads only dpiAware from the manifest and runs the
// program system aware, stretched as a bitmap on other monitors, as Windows 7 and 8 do. Wine gives every monitor the
// system DPI and never sends this message by itself; the tests send it.
void Form::OnDpiChanged(int dpi, const RECT& suggested) {
    const bool atLayoutSize = AtLayoutSize();  // at the old DPI
    dpi_ = dpi;
    if (atLayoutSize) {
        SizeToLayout({suggested.left, suggested.top});
    } else {
        ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FontHandle font = CreateDialogFont(dpi_);
    for (const Child& child : children_) {
        const RECT r = child.place(dpi_);
        ::SetWindowPos(child.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        if (font) ::SendMessageW(child.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    if (font) font_ = std::move(font);  // the old font goes only now that no control uses it
    LoadIcons();
}

void Form::CenterOnScreen() {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Form::CreateChild(const wchar_t* windowClass, std::wstring_view text, DWORD style, int id, Placement place,
                       DWORD exStyle, void* createParam) {
    const RECT pixels = place(dpi_);
    HWND child = ::CreateWindowExW(exStyle, windowClass, std::wstring(text).c_str(), WS_CHILD | style, pixels.left,
                                   pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, hwnd_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                   createParam);
    if (!child) return nullptr;
    if (font_) ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    children_.push_back({child, std::move(place)});
    return child;
}

bool Form::PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    if (msg.wParam == VK_TAB && !tabOrder_.empty()) {
        MoveFocus(::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    const HWND focus = ::GetFocus();
    if (msg.wParam == VK_RETURN && focus && ::IsChild(hwnd_, focus) && IsPushButton(focus)) {
        // Enter presses the focused button; elsewhere it presses the default button.
        if (::IsWindowEnabled(focus)) {
            ::SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(focus), BN_CLICKED),
                           reinterpret_cast<LPARAM>(focus));
        }
        return true;
    }
    return false;
}

void Form::MoveFocus(bool backwards) {
    const auto count = static_cast<int>(tabOrder_.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (tabOrder_[i] == ::GetFocus()) at = i;
    }
    const int start = at < 0 ? (backwards ? 0 : count - 1) : at;
    for (int step = 1; step <= count; ++step) {
        const int i = (start + (backwards ? count - step : step)) % count;
        if (CanTakeFocus(tabOrder_[i])) {
            ::SetFocus(tabOrder_[i]);
            if (::SendMessageW(tabOrder_[i], WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
                ::SendMessageW(tabOrder_[i], EM_SETSEL, 0, -1);
            }
            return;
        }
    }
}

void Form::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) savedFocus_ = focus;
        return;
    }
    // Activation of a hidden window does not count: placing the focus there would fail and forget the
    // remembered control, and the user sees nothing. It counts once the window is shown.
    if (::IsWindowVisible(hwnd_)) Activate();
}

// As in every Windows dialog: a focused push button looks (and, through PreTranslate, acts) as the default
// button; while the focus is elsewhere the form's default button does.
void Form::ShowDefaultLook() {
    const HWND focus = ::GetFocus();
    const bool onButton = focus && ::IsChild(hwnd_, focus) && IsPushButton(focus);
    const HWND look = onButton ? focus : ::GetDlgItem(hwnd_, defaultId_);
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!IsPushButton(child)) continue;
        const DWORD style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
        const DWORD type = child == look ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        // Windows takes the whole low word of BM_SETSTYLE's style, so the other button styles go along.
        if ((style & BS_TYPEMASK) != type) {
            ::SendMessageW(child, BM_SETSTYLE, (style & 0xFFFF & ~BS_TYPEMASK) | type, TRUE);
        }
    }
}

// Becoming the window the user works in: the focus goes back where it was, or to the first control.
void Form::Activate() {
    if (savedFocus_ && ::IsWindow(savedFocus_) && CanTakeFocus(savedFocus_)) {
        ::SetFocus(savedFocus_);
    } else {
        savedFocus_ = nullptr;
        MoveFocus(false);
    }
    SetActiveForm(this);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == BN_KILLFOCUS) {
            ::PostMessageW(hwnd_, kFollowFocus, 0, 0);
            return 0;
        }
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case kFollowFocus:
        ShowDefaultLook();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) LeaveActiveForm();
        break;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case DM_GETDEFID:
        return defaultId_ ? MAKELRESULT(defaultId_, DC_HASDEFID) : 0;
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DESTROY:
        Form_Unload();
        return 0;
    }
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Form::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        formWindows_.push_back(hwnd);
    }
    auto* self = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        std::erase(formWindows_, hwnd);
        self->hwnd_ = nullptr;
        self->savedFocus_ = nullptr;
        self->children_.clear();
        self->modalOwner_ = nullptr;
        self->shownOnce_ = false;
        self->LeaveActiveForm();
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

}  // namespace quellix
