#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/user_actions.h"

namespace quellix::test {
namespace {

class EditEndToEnd : public ::testing::Test {
protected:
    // The program started with the given keyword file, its main window shown as the user brings it up.
    void Start(const std::optional<std::string>& keywords, const std::wstring& folderPrefix = L"quellix-e2e") {
        quellix_ = std::make_unique<QuellixProcess>(keywords, folderPrefix);
        ASSERT_TRUE(quellix_->Started());
        ASSERT_TRUE(quellix_->ShowFromTray());
    }
    QuellixProcess& Quellix() { return *quellix_; }
    HWND Button(const wchar_t* caption) { return quellix_->Button(caption); }

    HWND OpenAdd() { return OpenDialog(*quellix_, L"&Add", kAddCaption); }

    std::unique_ptr<QuellixProcess> quellix_;
};

TEST_F(EditEndToEnd, CancelOrCloseBoxWriteNothingAndEachOpeningStartsEmpty) {
    Start(std::nullopt);
    HWND dialog = OpenAdd();
    ASSERT_TRUE(dialog);
    Type(TextBox(dialog), L"casino");
    Press(FindChild(dialog, L"Button", L"&Cancel"));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kGenerous));

    dialog = OpenAdd();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextBoxText(dialog), L"") << "each opening starts empty";
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kGenerous));
    EXPECT_FALSE(Quellix().FileExists(L"values.zap"));
    EXPECT_TRUE(Quellix().ListItems().empty());
}

TEST_F(EditEndToEnd, DuplicatesAreAddedAndDeletedTogetherDownToAnEmptyFile) {
    Start(std::nullopt);
    ASSERT_TRUE(Submit(OpenAdd(), L"abc"));
    ASSERT_TRUE(Submit(OpenAdd(), L"abc"));
    EXPECT_TRUE(Quellix().ListShows({L"abc", L"abc"}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "abc\r\nabc\r\n");

    Press(Button(L"&Delete"));
    EXPECT_EQ(TakeMessage(Quellix()), L"First select an entry to delete!");
    EXPECT_EQ(Quellix().ReadKeywordFile(), "abc\r\nabc\r\n");

    Quellix().Select(1);
    Press(Button(L"&Delete"));
    EXPECT_TRUE(Quellix().ListShows({}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "") << "a zero-byte file, not a missing one";
    EXPECT_FALSE(::IsWindowEnabled(Button(L"&Delete")));
    EXPECT_FALSE(Quellix().FileExists(L"temp.zap"));
}

// The Edit button asks for a selection; a double-click on an entry opens its dialog, which replaces every equal one.
TEST_F(EditEndToEnd, EditReplacesEveryEqualEntry) {
    Start(std::string("abc\r\nzq\r\nabc\r\nabc\r\n"));
    ASSERT_TRUE(Quellix().ListShows({L"abc", L"zq", L"abc", L"abc"}));

    Press(Button(L"&Edit"));
    EXPECT_EQ(TakeMessage(Quellix()), L"First select an entry to edit!");
    EXPECT_FALSE(FindTopLevel({.pid = Quellix().Pid(), .caption = L"Change '' to"})) << "no dialog without a selection";

    const HWND list = Quellix().List();
    const auto itemHeight = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const LPARAM thirdItem = MAKELPARAM(10, 2 * itemHeight + itemHeight / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        ::PostMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, thirdItem);
    }
    const HWND dialog = WaitForWindow(Quellix(), L"Change 'abc' to");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextBoxText(dialog), L"");
    EXPECT_TRUE(Submit(dialog, L"pqr"));
    EXPECT_TRUE(Quellix().ListShows({L"pqr", L"zq", L"pqr", L"pqr"}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "pqr\r\nzq\r\npqr\r\npqr\r\n");
    EXPECT_FALSE(Quellix().FileExists(L"temp.zap"));
}

// Quoted keywords keep their commas and blanks through an edit of another keyword.
TEST_F(EditEndToEnd, DeleteKeepsEveryOtherKeywordAsItWas) {
    Start(std::string("\"hello, world\"\r\n\"  ad \"\r\nzap me\r\n"));
    ASSERT_TRUE(Quellix().ListShows({L"hello, world", L"  ad ", L"zap me"}));
    Quellix().Select(2);
    Press(Button(L"&Delete"));
    EXPECT_TRUE(Quellix().ListShows({L"hello, world", L"  ad "}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "\"hello, world\"\r\n\"  ad \"\r\n");
}

// The dialogs edit the file the scan reads: no scan while one is open, and the scan goes on once it is gone (the
// walkthrough shows it for Add).
TEST_F(EditEndToEnd, NoPopupIsClosedWhileTheEditDialogIsOpen) {
    Start(std::string("casino\r\n"));
    ASSERT_TRUE(Quellix().ListShows({L"casino"}));

    Quellix().Select(0);
    const HWND dialog = OpenDialog(Quellix(), L"&Edit", L"Change 'casino' to");
    ASSERT_TRUE(dialog);
    TestPopup popup(L"Casino Night");
    PumpFor(1500);
    EXPECT_FALSE(popup.Closed()) << "closed while the Edit dialog was open";
    ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }, kGenerous));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "casino\r\n");
}

// From a folder the code page cannot spell, a keyword with a letter beyond ASCII is stored in the code page,
// listed back as typed and matched in any case.
TEST_F(EditEndToEnd, NonAsciiKeywordFromAFolderNamedInAnotherScript) {
    Start(std::nullopt, L"quellix-e2e-\u041f\u0440\u0438\u0432\u0435\u0442");
    ASSERT_TRUE(Submit(OpenAdd(), L"caf\u00e9"));
    EXPECT_TRUE(Quellix().ListShows({L"caf\u00e9"}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "caf\xe9\r\n");
    TestPopup bar(L"CAF\u00c9 DEL MAR");
    EXPECT_TRUE(WaitUntil([&] { return bar.Closed(); }, kGenerous));
}

TEST_F(EditEndToEnd, AnUnclosedQuoteEndsWithItsLine) {
    Start(std::nullopt);
    ASSERT_TRUE(Submit(OpenAdd(), L"\"Free"));
    ASSERT_TRUE(Submit(OpenAdd(), L"poker"));
    EXPECT_TRUE(Quellix().ListShows({L"Free", L"poker"}));
    EXPECT_EQ(Quellix().ReadKeywordFile(), "\"Free\r\npoker\r\n");
    TestPopup invitation(L"Poker Night Invitation");
    EXPECT_TRUE(WaitUntil([&] { return invitation.Closed(); }, kGenerous));
}

// A change that cannot be saved is reported; nothing changes, and Add and Edit stay open with the text.
TEST_F(EditEndToEnd, UnsavedChangesAreReported) {
    const std::string keywords = "abc\r\n";
    const wchar_t* const notInCodePage =
        L"Keyword not saved: it has characters that this system's code page can't store!";
    const wchar_t* const readOnly = L"Change not saved: values.zap is read-only!";
    const struct {
        bool readOnlyFile;
        const wchar_t* button;
        const wchar_t* caption;  // of the dialog the button opens; nullptr for Delete
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {false, L"&Add", kAddCaption, L"\u041f\u0440\u0438\u0432\u0435\u0442", notInCodePage},
        {false, L"&Edit", L"Change 'abc' to", L"\u0141ukasz", notInCodePage},  // no best-fit Lukasz
        {true, L"&Add", kAddCaption, L"roulette", readOnly},
        {true, L"&Edit", L"Change 'abc' to", L"roulette", readOnly},
        {true, L"&Delete", nullptr, nullptr, readOnly},
    };
    Start(keywords);
    ASSERT_TRUE(Quellix().ListShows({L"abc"}));
    const std::wstring path = Quellix().Folder() + L"\\values.zap";
    for (const auto& c : cases) {
        ::SetFileAttributesW(path.c_str(), c.readOnlyFile ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        Quellix().Select(0);
        Press(Button(c.button));
        const HWND dialog = c.caption ? WaitForWindow(Quellix(), c.caption) : nullptr;
        if (c.caption) {
            ASSERT_TRUE(dialog) << c.caption;
            Type(TextBox(dialog), c.text);
            Press(FindChild(dialog, L"Button", L"&OK"));
        }
        EXPECT_EQ(TakeMessage(Quellix()), c.message) << c.button;
        if (dialog) {
            EXPECT_TRUE(::IsWindow(dialog)) << "the dialog stays open";
            EXPECT_EQ(TextBoxText(dialog), c.text);
            Press(FindChild(dialog, L"Button", L"&Cancel"));
            ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kGenerous));
        }
        EXPECT_EQ(Quellix().ReadKeywordFile(), keywords) << c.button;
        EXPECT_TRUE(Quellix().ListShows({L"abc"})) << c.button;
    }
}

// A WM_TIMER posted from outside while a dialog has the scan off starts no walk and does not switch it on.
TEST_F(EditEndToEnd, ATimerMessageWhileADialogIsOpenScansNothing) {
    Start(std::string("casino\r\n"));
    ASSERT_TRUE(Quellix().ListShows({L"casino"}));
    const HWND dialog = OpenAdd();
    ASSERT_TRUE(dialog);
    TestPopup bonus(L"Free Casino Bonus");
    ::PostMessageW(Quellix().MainWindow(), WM_TIMER, 1, 0);
    PumpFor(1500);
    EXPECT_FALSE(bonus.Closed());
    Press(FindChild(dialog, L"Button", L"&Cancel"));
    EXPECT_TRUE(WaitUntil([&] { return bonus.Closed(); }, kGenerous));
}

}  // namespace
}  // namespace quellix::test
