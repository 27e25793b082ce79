// The notification-area icon of a loaded main window: its record, its removal, its return after a shell restart.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "tray/main_window_hook.h"
#include "support/form1_fixture.h"
#include "support/user_actions.h"

namespace quellix::test {
namespace {

// The record as the shell reads it: little-endian fields at their platform offsets.
std::uint32_t U32At(const NOTIFYICONDATAA& record, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&record) + offset, sizeof(value));
    return value;
}

// Exposes the unload step so it can run while the window still exists.
class ExposedForm1 : public Form1 {
public:
    using Form1::Form1;
    using Form1::Form_Unload;
};

// A main window whose notification area is a stand-in; it ends without leaving its WM_QUIT behind.
class StandInTray : public ::testing::Test {
protected:
    void TearDown() override {
        form->Unload();
        MSG quit{};
        ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    void Load(TrayNotify notify) {
        form = std::make_unique<ExposedForm1>(std::move(notify));
        ASSERT_TRUE(form->Load());
    }
    std::unique_ptr<ExposedForm1> form;
};

TEST_F(Form1Test, TrayRecordHoldsTheFirstFormFields) {
    const NOTIFYICONDATAA& record = form.TrayIconData;
    constexpr bool k32 = sizeof(void*) == 4;
    // cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip: pointers are 4 bytes on i686, 8 (aligned) on x64.
    const std::size_t uId = k32 ? 8 : 16, flags = uId + 4, callback = uId + 8, tip = k32 ? 24 : 40;
    EXPECT_EQ(U32At(record, 0), k32 ? 88u : 104u);
    EXPECT_EQ(record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(record.hWnd, form.Picture1.Handle());
    EXPECT_EQ(U32At(record, uId), 1u);
    EXPECT_EQ(U32At(record, flags), 7u);
    EXPECT_EQ(U32At(record, callback), 0x0200u);
    EXPECT_EQ(IconWidth(record.hIcon), ::GetSystemMetrics(SM_CXSMICON)) << "the notification area's size";
    SendDpiChanged(form.Handle(), 144);
    EXPECT_EQ(IconWidth(record.hIcon), ::GetSystemMetrics(SM_CXSMICON)) << "whatever the main window's DPI";

    std::string expectedTip = "Vorel Quellix! ";
    expectedTip.push_back('\0');
    expectedTip.resize(64, ' ');
    const std::string tipBytes(reinterpret_cast<const char*>(&record) + tip, 64);
    EXPECT_EQ(tipBytes, expectedTip);
    EXPECT_EQ(tip + 64, record.cbSize) << "the tip is the record's last field";
}

TEST_F(Form1Test, IconIsAddedAtLoadAndStaysWhileHiddenOrShown) {
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(TrayIconPresent(form.Picture1.Handle()));
    form.Show();
    EXPECT_TRUE(TrayIconPresent(form.Picture1.Handle()));
    ::SendMessageW(form.Command1.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(Visible()) << "Hide hides the window";
    EXPECT_TRUE(TrayIconPresent(form.Picture1.Handle()));
}

TEST_F(Form1Test, TaskbarCreatedBringsTheIconBack) {
    NOTIFYICONDATAA record = form.TrayIconData;
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &record));  // as a restarting shell loses it
    ASSERT_FALSE(TrayIconPresent(form.Picture1.Handle()));

    const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    ASSERT_NE(taskbarCreated, 0u);
    ::SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconPresent(form.Picture1.Handle()); }, kGenerous, Pump::Forms));
}

TEST_F(StandInTray, UnloadRemovesTheIconAndThenTheSubclass) {
    bool hookedAtRemoval = false;
    Load([&](DWORD message, PNOTIFYICONDATAA record) {
        if (message == NIM_DELETE) hookedAtRemoval = HookInstalled;
        return ::Shell_NotifyIconA(message, record);
    });
    ASSERT_TRUE(HookInstalled);
    ASSERT_EQ(MainWindowHandle, form->Handle());
    const LONG_PTR subclassed = ::GetWindowLongPtrA(form->Handle(), GWLP_WNDPROC);

    form->Form_Unload();
    EXPECT_TRUE(hookedAtRemoval) << "the icon goes first, then the subclass";
    EXPECT_FALSE(TrayIconPresent(form->Picture1.Handle())) << "removed while its window still exists";
    EXPECT_FALSE(HookInstalled);
    EXPECT_NE(::GetWindowLongPtrA(form->Handle(), GWLP_WNDPROC), subclassed);
    ::SendMessageW(form->Handle(), WM_HOTKEY, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(form->Handle())) << "the hot key no longer restores";
}

// At logon the notification area may refuse the first adds; an add that timed out may still have arrived.
TEST_F(StandInTray, ARefusedIconIsTriedAgainUntilItIsThere) {
    const struct {
        const char* name;
        int refusedAdds;
        bool refusedAddsArrive;
        int ticksUntilThere;
        int adds;
    } cases[] = {
        {"refused three times", 3, false, 3, 4},
        {"refused but there after all", 1, true, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int adds = 0;
        Load([&](DWORD message, PNOTIFYICONDATAA record) -> BOOL {
            if (message != NIM_ADD || ++adds > c.refusedAdds) return ::Shell_NotifyIconA(message, record);
            if (c.refusedAddsArrive) ::Shell_NotifyIconA(message, record);
            return FALSE;
        });
        for (int tick = 0; tick < c.ticksUntilThere; ++tick) {
            EXPECT_TRUE(form->tmrTrayIcon.Enabled()) << tick;
            EXPECT_EQ(TrayIconPresent(form->Picture1.Handle()), c.refusedAddsArrive) << tick;
            form->tmrTrayIcon_Timer();
        }
        EXPECT_TRUE(TrayIconPresent(form->Picture1.Handle()));
        EXPECT_FALSE(form->tmrTrayIcon.Enabled()) << "no more tries once it is there";
        EXPECT_EQ(adds, c.adds);
        TearDown();
    }
}

}  // namespace
}  // namespace quellix::test
