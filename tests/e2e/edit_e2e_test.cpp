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
    void Start(const std::optional<std::string>& keywords) {
        quellix_ = std::make_unique<QuellixProcess>(keywords);
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

}  // namespace
}  // namespace quellix::test
