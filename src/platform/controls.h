#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/accessible_name.h"
#include "platform/form.h"
#include "platform/win_handle.h"

namespace quellix {

// Thin wrappers over the child windows a form creates. Each type knows its window class and style,
// so a form names only ids, captions and twips rectangles. The form's window owns and destroys them.
class Control {
public:
    HWND Handle() const noexcept { return hwnd_; }
    int Id() const noexcept { return ::GetDlgCtrlID(hwnd_); }
    bool Enabled() const noexcept { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) noexcept { ::EnableWindow(hwnd_, enabled); }
    bool Visible() const noexcept { return ::IsWindowVisible(hwnd_) != FALSE; }
    std::wstring Text() const;
    void SetText(std::wstring_view text);
    void Focus() noexcept { ::SetFocus(hwnd_); }
    // The name a screen reader announces for a control that shows no text of its own.
    void SetAccessibleName(std::wstring_view name) { quellix::SetAccessibleName(hwnd_, name); }

protected:
    // Every control is made here, through its form (which gives it the form's font and places it again at each
    // new DPI).
    bool CreateIn(Form& form, const wchar_t* windowClass, std::wstring_view text, DWORD style, int id,
                  const TwipsRect& r, DWORD exStyle = 0, void* createParam = nullptr);
    // A control whose place in pixels at a DPI is worked out otherwise than from one twips rectangle.
    bool CreateIn(Form& form, const wchar_t* windowClass, DWORD style, std::function<RECT(int dpi)> place);

    HWND hwnd_ = nullptr;
};

class Button : public Control {
public:
    enum Kind { kNormal, kDefault };
    // A default button is pressed by Enter anywhere in the form unless the focus is on another button.
    bool Create(Form& form, int id, std::wstring_view caption, const TwipsRect& r, Kind kind = kNormal);
};

// A single-line text box without a length limit.
class TextBox : public Control {
public:
    bool Create(Form& form, int id, const TwipsRect& r);
};

class Label : public Control {
public:
    bool Create(Form& form, int id, const TwipsRect& r);
};

// Single selection, not sorted, entries in the order added.
class ListBox : public Control {
public:
    bool Create(Form& form, int id, const TwipsRect& r);
    void Clear() noexcept { ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0); }
    void AddItem(std::wstring_view text);
    int ListCount() const noexcept { return static_cast<int>(::SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }
    // The selected entry's index, or -1.
    int ListIndex() const noexcept { return static_cast<int>(::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
    void SetListIndex(int index) noexcept { ::SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    std::wstring List(int index) const;
};

// A tab control with a single tab.
class TabControl : public Control {
public:
    bool Create(Form& form, int id, const TwipsRect& r, std::wstring_view tabCaption);
};

// An invisible window that exists only to receive messages; mouse moves reach onMouseMove with
// the message's wParam and lParam.
class PictureBox : public Control {
public:
    bool Create(Form& form, int id, const TwipsRect& r);
    std::function<void(WPARAM, LPARAM)> onMouseMove;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

// A window timer. Switching it on always starts a fresh full interval.
class Timer {
public:
    void Create(const Form& form, UINT_PTR id, UINT intervalMs) noexcept {
        owner_ = form.Handle();
        id_ = id;
        interval_ = intervalMs;
    }
    UINT_PTR Id() const noexcept { return id_; }
    UINT Interval() const noexcept { return interval_; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled) noexcept;

private:
    HWND owner_ = nullptr;
    UINT_PTR id_ = 0;
    UINT interval_ = 0;
    bool enabled_ = false;
};

// A pop-up menu built from items (id, caption); a caption "-" makes a separator.
class PopupMenu {
public:
    struct Item {
        int id;
        const wchar_t* caption;
    };
    bool Create(std::initializer_list<Item> items, int defaultId);
    HMENU Handle() const noexcept { return menu_.get(); }
    // Shows the menu at the mouse position and returns the chosen item's id, or 0.
    int TrackAtCursor(HWND owner, UINT flags) const;

private:
    MenuHandle menu_;
};

}  // namespace quellix
