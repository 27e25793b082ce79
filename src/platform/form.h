#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/twips.h"
#include "platform/win_handle.h"

namespace quellix {

// One top-level window of the program. Layout is in twips; the client area has the given size and
// the frame is sized around it. The frame is resizable but nothing moves when it is resized.
// Loading creates the window (hidden) with its controls and runs Form_Load; unloading destroys it
// and runs Form_Unload.
//
// Twips become pixels at the window's own DPI: the DPI of the monitor the form opens on, and of each monitor
// Windows moves it to after that, when the form lays itself out again from its twips and makes its font anew. A size
// the user gave the window goes along, scaled.
//
// The program has one active form: the form the user last worked in. It changes in one place, and
// the form that becomes active runs Form_Activate; another program, a menu or a message box taking
// the focus does not change it.
//
// A form's procedure is a Unicode one. The main window's subclass is installed with
// SetWindowLongPtrA, after which Windows treats that window as an ANSI window and converts text
// messages on their way through CallWindowProcA: the form's procedure still sees wide text.
class Form {
public:
    struct Layout {
        std::wstring caption;
        int clientWidth = 0;   // twips
        int clientHeight = 0;  // twips
        bool centerOnFirstShow = false;
        // The icon resource the window shows; 0 takes the icon resource of the form that owns it.
        int iconId = 0;
    };

    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const noexcept { return hwnd_; }
    bool IsLoaded() const noexcept { return hwnd_ != nullptr; }
    // The DPI the form is laid out at.
    int Dpi() const noexcept { return dpi_; }

    // Creates the window, hidden; false when the window could not be created.
    bool Load(HWND owner = nullptr);
    void Show();  // shows and activates (modeless)
    void Hide();
    void Unload();
    // Shows the form modally: the owner takes no input until the form is unloaded; returns then.
    void ShowModal(HWND owner);

    std::wstring Caption() const;
    void SetCaption(std::wstring_view caption);
    // Outer size and position in twips at the form's DPI, as the placement routines read and set them; the
    // position is counted from origin, in screen pixels.
    SIZE OuterSizeTwips() const;
    void MoveTwips(int left, int top, POINT origin = {0, 0});

    // Enter anywhere in the form presses this button unless the focus is on another button.
    void SetDefaultButton(int id) noexcept { defaultId_ = id; }

    // Keyboard navigation for the message loop, before IsDialogMessage sees the key. The form
    // handles Tab and Enter itself: its tab order is not the controls' Z order, which is what
    // IsDialogMessage follows, and a plain window class gets no default-button handling from it.
    // True when handled.
    bool PreTranslate(MSG& msg);
    static Form* FromHandle(HWND hwnd) noexcept;
    // True when the window is one of the program's forms, told by its handle alone (no query of the window).
    static bool IsFormWindow(HWND hwnd) noexcept;

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
    // Tab visits these in order; the first gets the focus when the form is first shown.
    void SetTabOrder(std::vector<HWND> controls) { tabOrder_ = std::move(controls); }

private:
    friend class Control;
    // A child's place in client pixels at a DPI; the controls convert their twips.
    using Placement = std::function<RECT(int dpi)>;
    struct Child {
        HWND hwnd;
        Placement place;
    };
    // Creates a child control at its place at the form's DPI, and keeps the place for the next DPI.
    HWND CreateChild(const wchar_t* windowClass, std::wstring_view text, DWORD style, int id, Placement place,
                     DWORD exStyle, void* createParam);

    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The one transition of the program's active form; a form that becomes active runs Form_Activate.
    static void SetActiveForm(Form* form);
    // A form hidden or destroyed stops being the active form, if it is that form.
    void LeaveActiveForm() noexcept;
    void ReleaseModalOwner();
    void OnActivate(WPARAM wParam);
    void Activate();
    void ShowDefaultLook();
    void MoveFocus(bool backwards);
    void CenterOnScreen();
    void SizeToLayout(POINT at);
    SIZE LayoutClientPixels() const;  // at the form's DPI
    bool AtLayoutSize() const;        // not resized by the user, or resized back
    void OnDpiChanged(int dpi, const RECT& suggested);
    void TakeIcon(int iconId, HWND owner);
    void LoadIcons();

    static Form* activeForm_;
    static std::vector<HWND> formWindows_;  // every form that exists, for IsFormWindow

    HWND hwnd_ = nullptr;
    HWND modalOwner_ = nullptr;
    int iconId_ = 0;  // the icon resource the window shows, at its DPI; 0 for none
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    FontHandle font_;
    int dpi_ = 96;
    std::vector<Child> children_;
    std::vector<HWND> tabOrder_;
    HWND savedFocus_ = nullptr;
    int defaultId_ = 0;
    bool shownOnce_ = false;
};

}  // namespace quellix
