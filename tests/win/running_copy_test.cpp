#include "app/running_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/application_title.h"
#include "support/window_lookup.h"

namespace quellix::test {
namespace {

// What the system answers when the named object is made decides whether this copy runs.
TEST(RunningCopy, ARefusedObjectCountsAsACopyWithOtherRights) {
    const struct {
        bool made;
        DWORD error;
        bool another;
        bool otherRights;
    } cases[] = {
        {true, ERROR_SUCCESS, false, false},
        {true, ERROR_ALREADY_EXISTS, true, false},
        {false, ERROR_ACCESS_DENIED, true, true},
        {false, ERROR_INVALID_HANDLE, false, false},  // the name taken by another kind of object: run anyway
    };
    for (const auto& c : cases) {
        const RunningCopy copy(KernelHandle(c.made ? ::CreateEventW(nullptr, TRUE, FALSE, nullptr) : nullptr),
                               c.error);
        EXPECT_EQ(copy.IsAnother(), c.another) << c.error;
        EXPECT_EQ(copy.HasOtherRights(), c.otherRights) << c.error;
    }
}

// The other copy cannot be raised across rights, so this one says so at once instead of waiting for its window.
TEST(RunningCopy, AcrossRightsItGivesWayWithAMessage) {
    const RunningCopy copy(KernelHandle(), ERROR_ACCESS_DENIED);
    std::wstring caption;
    std::wstring text;
    std::thread user([&] {
        const HWND box = WaitForWindow({.windowClass = kMessageBoxClass}, Pump::None);
        if (!box) return;
        caption = WindowText(box);
        text = MessageBoxText(box);
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    copy.GiveWay();
    user.join();
    EXPECT_EQ(caption, kApplicationTitle);
    EXPECT_EQ(text, L"Another copy of Quellix already runs from this folder with other rights.");
}

}  // namespace
}  // namespace quellix::test
