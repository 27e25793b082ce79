#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/user_actions.h"

namespace quellix::test {
namespace {

TEST(ScanEndToEnd, TwoMatchingPopupsCloseOneAfterTheOtherUpperFirst) {
    QuellixProcess quellix(std::string("offer\r\n"));
    ASSERT_TRUE(quellix.Started());
    // Both in place before either matches, the upper one matching first: a tick may fall between any two steps.
    TestPopup lower(L"One");
    TestPopup upper(L"Two");
    ::SetWindowPos(upper.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    upper.SetTitle(L"Special Offer Two");
    lower.SetTitle(L"Special Offer One");
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

}  // namespace
}  // namespace quellix::test
