#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/center_form.h"
#include "dialogs/frm_add.h"
#include "dialogs/frm_edit.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "support/owner_form.h"
#include "support/temp_files.h"
#include "support/wait.h"
#include "support/window_lookup.h"

namespace quellix::test {
namespace {

void Click(const Control& button) { ::SendMessageW(button.Handle(), BM_CLICK, 0, 0); }

// What a message box of this program showed; filled in from a helper thread that also dismisses the box, since
// the box's own loop holds the test's thread until then.
struct SeenMessage {
    std::wstring caption;
    std::wstring text;
    bool stopIcon = false;
    int buttons = 0;
};

BOOL CALLBACK ReadMessageBoxChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<SeenMessage*>(param);
    if (ClassName(child) == L"Button") ++seen->buttons;
    if (ClassName(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
        seen->stopIcon = icon && icon == ::LoadIconW(nullptr, IDI_HAND);
    }
    return TRUE;
}

class MessageBoxWatcher {
public:
    MessageBoxWatcher() : thread_([this] { Watch(); }) {}
    ~MessageBoxWatcher() {
        stop_ = true;
        thread_.join();
    }
    // The boxes seen so far, each dismissed with its OK button.
    std::vector<SeenMessage> Seen() {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }

private:
    void Watch() {
        while (!stop_) {
            if (const HWND box = FindTopLevel({.windowClass = kMessageBoxClass})) {
                SeenMessage seen{WindowText(box), MessageBoxText(box)};
                ::EnumChildWindows(box, &ReadMessageBoxChild, reinterpret_cast<LPARAM>(&seen));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    seen_.push_back(seen);
                }
                ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                while (::IsWindow(box) && !stop_) ::Sleep(10);
            }
            ::Sleep(10);
        }
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenMessage> seen_;
    std::thread thread_;
};

void ExpectOneStopMessage(MessageBoxWatcher& watcher, const wchar_t* text) {
    const std::vector<SeenMessage> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, text);
    EXPECT_EQ(seen[0].caption, kApplicationTitle);
    EXPECT_TRUE(seen[0].stopIcon);
    EXPECT_EQ(seen[0].buttons, 1);
}

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.Load()); }

    // Shows the dialog as the user meets it: visible, active, its activation step run.
    static void ShowAndActivate(Form& dialog, HWND owner) {
        ASSERT_TRUE(dialog.Load(owner));
        dialog.Show();
        EXPECT_TRUE(WaitUntil([&] { return ::GetActiveWindow() == dialog.Handle(); }, kGenerous, Pump::Forms));
    }

    void SelectKeywords(std::initializer_list<const wchar_t*> entries, int selected) {
        for (const wchar_t* entry : entries) owner.lstKeyword.AddItem(entry);
        owner.lstKeyword.SetListIndex(selected);
    }

    // Escape in the text box closes and writes nothing; Enter presses OK.
    void EscapeThenEnter(const Form& dialog, const Control& box) {
        const std::optional<std::string> before = files.keywords.Read();
        PressKeys(box.Handle(), {VK_ESCAPE});
        PumpFor(300, Pump::Forms);
        EXPECT_TRUE(dialog.IsLoaded()) << "Escape closes nothing";
        EXPECT_EQ(files.keywords.Read(), before);
        PressKeys(box.Handle(), {VK_RETURN});
        EXPECT_TRUE(WaitUntil([&] { return !dialog.IsLoaded(); }, kGenerous, Pump::Forms)) << "Enter presses OK";
    }

    // OK with a blank text shows one stop message and keeps the dialog open with the text as typed.
    static void ExpectRefusedAsBlank(const Form& dialog, Control& box, const Control& ok, const wchar_t* blank,
                                     const wchar_t* message) {
        {
            MessageBoxWatcher watcher;
            box.SetText(blank);
            Click(ok);
            ExpectOneStopMessage(watcher, message);
        }
        EXPECT_TRUE(dialog.IsLoaded());
        EXPECT_EQ(box.Text(), blank);
    }

    KeywordSandbox files;
    OwnerForm owner;
};

void ExpectDefaultButton(const Form& dialog, const Button& button) {
    EXPECT_EQ(LOWORD(::SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0)), button.Id());
    EXPECT_EQ(::GetWindowLongW(button.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_NE(button.Id(), IDOK) << "Escape must not reach a button";
    EXPECT_NE(button.Id(), IDCANCEL) << "Escape must not reach a button";
}

// Centred across, 40 % of the free height above; a pixel of slack for the conversions to and from twips.
void ExpectCentred(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs((screenWidth - r.right) - r.left), 2) << r.left << " of " << screenWidth;
    EXPECT_NEAR(r.top, 0.4 * (screenHeight - (r.bottom - r.top)), 1.0) << r.top << " of " << screenHeight;
}

TEST_F(DialogsTest, AddDialogLayout) {
    frmAdd dialog;
    ASSERT_TRUE(dialog.Load(owner.Handle()));
    EXPECT_EQ(dialog.Caption(), L"Enter title keywords of popup window");
    ExpectCentred(dialog.Handle());
    ExpectLayout(dialog.Handle(), 4710, 1230,
                 {{dialog.cmdCancel.Handle(), L"Button", L"&Cancel", {3240, 720, 1215, 360}, L"Cancel"},
                  {dialog.txtTitle.Handle(), L"Edit", L"", {0, 120, 4455, 375}, L"Enter title keywords of popup window"},
                  {dialog.cmdOK.Handle(), L"Button", L"&OK", {1800, 720, 1215, 360}, L"OK"}});
    EXPECT_GT(::SendMessageW(dialog.txtTitle.Handle(), EM_GETLIMITTEXT, 0, 0), 32767);
    ExpectDefaultButton(dialog, dialog.cmdOK);
}

TEST_F(DialogsTest, EditDialogLayoutAndCaption) {
    SelectKeywords({L"casino", L"it's", L"poker"}, 1);
    frmEdit dialog(owner.lstKeyword);
    ASSERT_TRUE(dialog.Load(owner.Handle()));
    EXPECT_EQ(dialog.Caption(), L"Change 'it's' to");
    ExpectCentred(dialog.Handle());
    ExpectLayout(dialog.Handle(), 4680, 1065,
                 {{dialog.cmdCancel.Handle(), L"Button", L"&Cancel", {3240, 600, 1215, 360}, L"Cancel"},
                  {dialog.cmdOk.Handle(), L"Button", L"&OK", {1800, 600, 1215, 360}, L"OK"},
                  {dialog.txtEdit.Handle(), L"Edit", L"", {0, 0, 4455, 375}, L"Change 'it's' to"}});
    EXPECT_GT(::SendMessageW(dialog.txtEdit.Handle(), EM_GETLIMITTEXT, 0, 0), 32767);
    ExpectDefaultButton(dialog, dialog.cmdOk);
}

// A form larger than the screen keeps the negative position the arithmetic gives; nothing clamps it.
class OversizedForm : public Form {
protected:
    Layout GetLayout() const override {
        return {L"Oversized", PixelsToTwips(3000, ScreenDpi()), PixelsToTwips(2500, ScreenDpi()), false};
    }
    void CreateControls() override {}
};

TEST_F(DialogsTest, CenterFormPassesANegativePositionOn) {
    OversizedForm form;
    ASSERT_TRUE(form.Load());
    CenterForm(form);
    RECT r{};
    ::GetWindowRect(form.Handle(), &r);
    EXPECT_LT(r.left, 0);
    EXPECT_LT(r.top, 0);
    ExpectCentred(form.Handle());
}

TEST_F(DialogsTest, AddDialogTakesTypingAndEnterButNotEscape) {
    frmAdd dialog;
    ShowAndActivate(dialog, owner.Handle());
    EXPECT_EQ(::GetFocus(), dialog.txtTitle.Handle()) << "the focus goes to the text box, not to OK";

    dialog.txtTitle.SetText(L"casino");
    EscapeThenEnter(dialog, dialog.txtTitle);
    EXPECT_EQ(files.keywords.Read(), "casino\r\n");
}

TEST_F(DialogsTest, AddDialogRefusesBlanksOnlyAndKeepsTheText) {
    frmAdd dialog;
    ShowAndActivate(dialog, owner.Handle());
    ExpectRefusedAsBlank(dialog, dialog.txtTitle, dialog.cmdOK, L"   ", L"Title can't be blank!");
    EXPECT_FALSE(files.keywords.Read());

    dialog.txtTitle.SetText(L"\t");
    Click(dialog.cmdOK);
    EXPECT_FALSE(dialog.IsLoaded()) << "a text of tabs is not blank";
    EXPECT_EQ(files.keywords.Read(), "\t\r\n");
}

TEST_F(DialogsTest, AddDialogCancelAndCloseBoxWriteNothing) {
    const std::function<void(frmAdd&)> closers[] = {
        [](frmAdd& dialog) { Click(dialog.cmdCancel); },
        [](frmAdd& dialog) { ::SendMessageW(dialog.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : closers) {
        frmAdd dialog;
        ShowAndActivate(dialog, owner.Handle());
        dialog.txtTitle.SetText(L"casino");
        close(dialog);
        EXPECT_FALSE(dialog.IsLoaded());
        EXPECT_FALSE(files.keywords.Read());
    }
}

TEST_F(DialogsTest, EditDialogReplacesEveryEqualFieldOnEnter) {
    files.keywords.Write("abc\r\nx\r\nabc\r\nabc\r\n");
    SelectKeywords({L"abc", L"x", L"abc", L"abc"}, 2);
    owner.Timer1.SetEnabled(false);
    frmEdit dialog(owner.lstKeyword);
    ShowAndActivate(dialog, owner.Handle());
    EXPECT_EQ(::GetFocus(), dialog.txtEdit.Handle());
    EXPECT_EQ(dialog.txtEdit.Text(), L"") << "the old keyword is only in the caption";

    dialog.txtEdit.SetText(L"def");
    EscapeThenEnter(dialog, dialog.txtEdit);
    EXPECT_EQ(files.keywords.Read(), "def\r\nx\r\ndef\r\ndef\r\n");
    EXPECT_FALSE(owner.Timer1.Enabled()) << "the opener, not the dialog, resumes the scan";
}

TEST_F(DialogsTest, EditDialogRefusesBlanksAndCancelWritesNothing) {
    const std::string keywords = "abc\r\nx\r\n";
    files.keywords.Write(keywords);
    SelectKeywords({L"abc", L"x"}, 0);
    frmEdit dialog(owner.lstKeyword);
    ShowAndActivate(dialog, owner.Handle());
    ExpectRefusedAsBlank(dialog, dialog.txtEdit, dialog.cmdOk, L" ", L"Window title can not be blank!");

    dialog.txtEdit.SetText(L"def");
    Click(dialog.cmdCancel);
    EXPECT_FALSE(dialog.IsLoaded());
    EXPECT_EQ(files.keywords.Read(), keywords);
}

// Should the list be rebuilt behind the open dialog, its selection is gone; the keyword the caption names is still
// the one replaced, rather than every empty field.
TEST_F(DialogsTest, EditDialogReplacesTheCaptionedKeywordWhenTheSelectionIsGone) {
    files.keywords.Write("abc\r\n\r\nx\r\n");
    SelectKeywords({L"abc", L"", L"x"}, 0);
    frmEdit dialog(owner.lstKeyword);
    ShowAndActivate(dialog, owner.Handle());
    owner.lstKeyword.SetListIndex(-1);
    dialog.txtEdit.SetText(L"def");
    Click(dialog.cmdOk);
    EXPECT_EQ(files.keywords.Read(), "def\r\n\r\nx\r\n");
}

}  // namespace
}  // namespace quellix::test
