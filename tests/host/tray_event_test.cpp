#include "tray/tray_event.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(ActionForTrayEvent, OnlyDoubleClickAndRightButtonUpAct) {
    const struct {
        std::int32_t event;
        TrayAction action;
    } cases[] = {
        {0x0203, TrayAction::ShowMainWindow}, {0x0205, TrayAction::ShowMenu}, {0x0200, TrayAction::None},
        {0x0201, TrayAction::None},           {0x0202, TrayAction::None},     {0x0204, TrayAction::None},
        {0x0206, TrayAction::None},           {0, TrayAction::None},          {0x10203, TrayAction::None},
    };
    for (const auto& c : cases) EXPECT_EQ(ActionForTrayEvent(c.event), c.action) << c.event;
}

TEST(TrayEventFromLParam, KeepsOnlyTheLowWord) {
    const struct {
        std::uint64_t lParam;
        std::int32_t event;
    } cases[] = {
        {0x0205, 0x0205}, {0x0001'0203, 0x0203}, {0xFFFF'FFFF'FFFF'0205, 0x0205}, {0xFFFF, 0xFFFF}, {0x8000'0000, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(TrayEventFromLParam(c.lParam), c.event) << c.lParam;
}

TEST(TrayEventFilter, DropsNestedEventsButRemembersTheLatest) {
    TrayEventFilter filter;
    EXPECT_TRUE(filter.Begin(0x0205));
    EXPECT_TRUE(filter.TrayEventBusy());
    EXPECT_FALSE(filter.Begin(0x0203));
    EXPECT_FALSE(filter.Begin(0x0200));
    EXPECT_EQ(filter.TrayEvent(), 0x0200);
    filter.End();
    EXPECT_FALSE(filter.TrayEventBusy());
    EXPECT_TRUE(filter.Begin(0x0203));
    EXPECT_EQ(filter.TrayEvent(), 0x0203);
}

}  // namespace
}  // namespace quellix
