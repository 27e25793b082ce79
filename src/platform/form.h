#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/win_handle.h"

namespace quellix {

// A rectangle in twips, relative to the owner's client area.
struct TwipsRect {
    int left, top, width, height;
};

// One top-level window of the program. Layout is in twips; the client area has the given size and
// the frame is sized around it. The frame is resizable but nothing moves when it is resized.
// Loading creates the window (hidden) with its controls and runs Form_Load; unloading destroys it
// and runs Form_Unload.
class Form {
public:
    struct Layout {
        std::wstring caption;
        int clientWidth = 0;   // twips
        int clientHeight = 0;  // twips
        bool centerOnFirstShow = false;
    };

    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const noexcept { return hwnd_; }
    bool IsLoaded() const noexcept { return hwnd_ != nullptr; }

    // Creates the window, hidden; false when the window could not be created.
    bool Load(HWND owner = nullptr);
    void Show();  // shows and activates (modeless)
    void Hide();
    void Unload();
    // Shows the form modally: the owner takes no input until the form is unloaded; returns then.
    void ShowModal(HWND owner);

    std::wstring Caption() const;
    void SetCaption(std::wstring_view caption);
    // Outer size and position in twips, as the placement routines read and set them.
    SIZE OuterSizeTwips() const;
    void MoveTwips(int left, int top);

    // Keyboard navigation for the message loop: Tab order, Enter on a button. True when handled.
    bool PreTranslate(MSG& msg);
    static Form* FromHandle(HWND hwnd) noexcept;

protected:
    virtual Layout GetLayout() const = 0;
    virtual void CreateControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // Every message passes here first; the default handles the form's own bookkeeping.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    // Creates a child control; positions are twips in the client area.
    HWND CreateChild(const wchar_t* windowClass, std::wstring_view text, DWORD style, int id, const TwipsRect& r,
                     DWORD exStyle = 0);
    // Tab visits these in order; the first gets the focus when the form is first shown.
    void SetTabOrder(std::vector<HWND> controls) { tabOrder_ = std::move(controls); }
    void SetDefaultButton(int id) noexcept { defaultId_ = id; }
    HICON AppIcon() const noexcept { return icon_; }

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnActivate(WPARAM wParam, LPARAM lParam);
    void MoveFocus(bool backwards);
    void CenterOnScreen();

    HWND hwnd_ = nullptr;
    HWND modalOwner_ = nullptr;
    HICON icon_ = nullptr;  // shared resource icon: not destroyed
    FontHandle font_;
    std::vector<HWND> tabOrder_;
    HWND savedFocus_ = nullptr;
    int defaultId_ = 0;
    bool activeForm_ = false;
    bool shownOnce_ = false;
};

}  // namespace quellix
