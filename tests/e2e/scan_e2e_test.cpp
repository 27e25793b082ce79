#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/user_actions.h"

namespace quellix::test {
namespace {

TEST(ScanEndToEnd, TwoMatchingPopupsCloseOneAfterTheOtherUpperFirst) {
    QuellixProcess quellix(std::string("offer\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup lower(L"Special Offer One", false);
    TestPopup upper(L"Special Offer Two", false);
    // Shown upper first and the lower one right below it, so no walk can meet the lower one alone.
    constexpr UINT kShow = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW;
    ::SetWindowPos(upper.Handle(), HWND_TOP, 0, 0, 0, 0, kShow);
    ::SetWindowPos(lower.Handle(), upper.Handle(), 0, 0, 0, 0, kShow);
    ASSERT_TRUE(WaitUntil([&] { return lower.Closed() && upper.Closed(); }, kGenerous));
    EXPECT_LT(upper.CloseOrder(), lower.CloseOrder());
}

TEST(ScanEndToEnd, KeywordAddedToTheFileWhileRunningTakesEffect) {
    QuellixProcess quellix(std::string("poker\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup popup(L"Lottery Winner");
    PumpFor(800);
    ASSERT_FALSE(popup.Closed());
    quellix.WriteKeywordFile("poker\r\nlottery\r\n");
    EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }, kGenerous));
    // Saved as most editors save: a new file that takes the old one's place.
    TestPopup jackpot(L"Jackpot Winner");
    PumpFor(800);
    ASSERT_FALSE(jackpot.Closed());
    const std::wstring saved = quellix.Folder() + L"\\values.new";
    WriteFileBytes(saved, "jackpot\r\n");
    ::MoveFileExW(saved.c_str(), (quellix.Folder() + L"\\values.zap").c_str(), MOVEFILE_REPLACE_EXISTING);
    EXPECT_TRUE(WaitUntil([&] { return jackpot.Closed(); }));
}

TEST(ScanEndToEnd, WithoutKeywordsNothingIsClosedAndTheProgramRuns) {
    const std::optional<std::string> files[] = {std::nullopt, "\r\n,,\r\n   \r\n\"\"\r\n"};
    for (const auto& file : files) {
        QuellixProcess quellix(file);
        ASSERT_TRUE(quellix.Started());
        TestPopup popup(L"Free Casino Bonus");
        PumpFor(1500);
        EXPECT_EQ(popup.CloseRequests(), 0);
        EXPECT_TRUE(quellix.Running());
        EXPECT_EQ(quellix.FileExists(L"values.zap"), file.has_value()) << "reading never creates the keyword file";
    }
}

TEST(ScanEndToEnd, HungWindowHoldsUpNeitherTheScanNorTheProgram) {
    QuellixProcess quellix(std::string("casino\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup popup(L"Free Casino Bonus", false);
    HungWindow hung(L"Unresponsive Tool", 6000);  // above the popup, so the walk meets it first
    const DWORD start = ::GetTickCount();
    ::ShowWindow(popup.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }, 5000));
    EXPECT_LT(::GetTickCount() - start, 5000u) << "closed only after the hang ended";
    DWORD_PTR ignored = 0;
    EXPECT_NE(::SendMessageTimeoutW(quellix.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored), 0)
        << "the main window must answer while another program hangs";
}

TEST(ScanEndToEnd, AWindowThatStopsMatchingGetsNoFurtherCloseRequests) {
    QuellixProcess quellix(std::string("survey\r\n"));
    ASSERT_TRUE(quellix.Started());
    // Answers its first close request by staying open (as a program asking its user would),
    // then its title changes: it no longer matches and must be left alone.
    TestPopup stubborn(L"Quick Survey", true, false);
    ASSERT_TRUE(WaitUntil([&] { return stubborn.CloseRequests() > 0; }, kGenerous));
    stubborn.SetTitle(L"Thank you");
    PumpFor(300);
    const int requests = stubborn.CloseRequests();
    PumpFor(1200);
    EXPECT_EQ(stubborn.CloseRequests(), requests);
}

// The lower window is shown only once the one above it exists, so that it cannot be closed before. The upper one is
// another thread's: a window of its own thread shown after its request would count as its answer.
TEST(ScanEndToEnd, AWindowThatStaysOpenHoldsUpNoneBelowItAndIsAskedAgainAboutOnceASecond) {
    QuellixProcess quellix(std::string("bonus\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup lower(L"Free Bonus Below", false);
    QuestioningWindow upper(L"Bonus Points", QuestioningWindow::Answer::kNothing);
    ::ShowWindow(lower.Handle(), SW_SHOWNOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return lower.Closed(); }, 3000));
    const int asked = upper.CloseRequests();
    EXPECT_GE(asked, 1);
    PumpFor(3000);
    EXPECT_GE(upper.CloseRequests() - asked, 1);
    EXPECT_LE(upper.CloseRequests() - asked, 6) << "not at every tick";
}

// A window disabled by a modal window of its program would be destroyed beneath it.
TEST(ScanEndToEnd, ADisabledWindowIsAskedOnlyOnceEnabled) {
    QuellixProcess quellix(std::string("bonus\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup popup(L"Bonus Wizard", false);
    ::EnableWindow(popup.Handle(), FALSE);
    ::ShowWindow(popup.Handle(), SW_SHOWNOACTIVATE);
    PumpFor(1500);
    EXPECT_EQ(popup.CloseRequests(), 0);
    ::EnableWindow(popup.Handle(), TRUE);
    EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); }));
}

// Windows counts a window hung once its thread has taken no message for five seconds, but no request may join one
// that its program has not taken yet: the second would run inside the question the first may open.
TEST(ScanEndToEnd, AHungMatchingWindowHoldsUpNoneBelowItAndIsNotAskedAgainWhileHung) {
    QuellixProcess quellix(std::string("bonus\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup lower(L"Free Bonus Below", false);
    HungWindow hung(L"Bonus Points (not responding)", 9000);
    ::ShowWindow(lower.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_TRUE(WaitUntil([&] { return lower.Closed(); }, 3000)) << "closed while the one above still hangs";
    hung.Join();
    EXPECT_EQ(hung.CloseRequestTimes().size(), 1u) << "asked again, busy or hung, before it took the first request";
}

// A program that answered a request by asking its user gets no second request, whoever owns its question, while the
// window is hidden and shown again, and after the user cancelled: a second question would stack on unsaved work. The
// question ("Notes") matches too, but closing it would answer it for the user.
TEST(ScanEndToEnd, AWindowWhoseProgramAskedItsUserIsNotAskedAgain) {
    for (const auto answer : {QuestioningWindow::Answer::kOwnedQuestion, QuestioningWindow::Answer::kUnownedQuestion}) {
        QuellixProcess quellix(std::string("bonus\r\nnotes\r\n"));
        ASSERT_TRUE(quellix.Started());
        QuestioningWindow editor(L"Bonus Notes - unsaved", answer);
        ASSERT_TRUE(WaitUntil([&] { return editor.OpenQuestions() == 1; }));
        ::ShowWindow(editor.Handle(), SW_HIDE);
        PumpFor(700);
        ::ShowWindow(editor.Handle(), SW_SHOWNOACTIVATE);
        PumpFor(2800);
        EXPECT_EQ(editor.CloseRequests(), 1) << "question open";
        EXPECT_EQ(editor.OpenQuestions(), 1);
        editor.CancelQuestion();
        PumpFor(3500);
        EXPECT_EQ(editor.CloseRequests(), 1) << "the user's Cancel stands";
        EXPECT_EQ(editor.OpenQuestions(), 0);
    }
}

TEST(ScanEndToEnd, AnotherProgramsHiddenWindowIsLeftAlone) {
    QuellixProcess quellix(std::string("bonus\r\n"));
    ASSERT_TRUE(quellix.Started());
    TestPopup lower(L"Free Bonus Below", false);
    TestPopup hidden(L"Bonus Helper", false);
    ::ShowWindow(lower.Handle(), SW_SHOWNOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return lower.Closed(); }, kGenerous));
    PumpFor(800);
    EXPECT_EQ(hidden.CloseRequests(), 0);
}

// While a flood of messages keeps the scan's timer from ticking, only the doorbell can close a pop-up; and it
// must not while the scan is paused by an open dialog.
TEST(ScanEndToEnd, TheDoorbellWalksWhenAWindowAppearsButNeverWhileTheScanIsPaused) {
    QuellixProcess quellix(std::string("bonus\r\n"));
    ASSERT_TRUE(quellix.Started());
    {
        const MessageFlood flood(quellix.List());
        ASSERT_TRUE(WaitUntil([&] { return flood.Deep(); }));
        TestPopup popup(L"Free Bonus");
        EXPECT_TRUE(WaitUntil([&] { return popup.Closed(); })) << "the doorbell did not walk";
    }
    ASSERT_TRUE(quellix.ShowFromTray());
    const HWND add = OpenDialog(quellix, L"&Add", kAddCaption);
    ASSERT_NE(add, nullptr);
    TestPopup paused(L"Bonus While Adding");
    PumpFor(1500);
    EXPECT_EQ(paused.CloseRequests(), 0);
    ::PostMessageW(add, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return paused.Closed(); })) << "the scan goes on once the dialog is gone";
}

TEST(ScanEndToEnd, ClosingTheMainWindowEndsTheProgram) {
    QuellixProcess quellix(std::nullopt);
    ASSERT_TRUE(quellix.Started());
    ::PostMessageW(quellix.MainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(quellix.WaitForExit(kGenerous));
}

}  // namespace
}  // namespace quellix::test
