// Every text of every window fits its control, measured with the control's own font, at the common DPIs.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/form1.h"
#include "dialogs/frm_about.h"
#include "dialogs/frm_add.h"
#include "dialogs/frm_edit.h"
#include "platform/screen.h"
#include "platform/win_handle.h"
#include "platform/window_class.h"
#include "support/window_lookup.h"

namespace quellix {
namespace {

constexpr wchar_t kExpectDpi[] = L"QUELLIX_EXPECT_DPI";

// The size a text needs in the window's font; a width bound word-wraps it as a multi-line label does.
SIZE Needed(HWND window, const std::wstring& text, UINT format, LONG wrapWidth = 0, HFONT font = nullptr) {
    RECT r{0, 0, wrapWidth, 0};
    HDC dc = ::GetDC(window);
    if (!font) font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    const HGDIOBJ old = ::SelectObject(dc, font);
    ::DrawTextW(dc, text.c_str(), -1, &r, format | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return {r.right - r.left, r.bottom - r.top};
}

RECT Client(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

void ExpectControlTextsFit(HWND form) {
    const int edge = 2 * ::GetSystemMetrics(SM_CXEDGE);  // a button's 3D border and focus rectangle
    for (HWND child = ::GetWindow(form, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = WindowText(child);
        const RECT client = Client(child);
        if (HasClassName(child, WC_BUTTONW)) {
            const SIZE need = Needed(child, text, DT_SINGLELINE);
            EXPECT_LE(need.cx, client.right - 2 * edge) << WindowText(form) << ": " << text;
            EXPECT_LE(need.cy, client.bottom - 2 * edge) << WindowText(form) << ": " << text;
        } else if (HasClassName(child, WC_STATICW) && !text.empty()) {
            const SIZE need = Needed(child, text, DT_WORDBREAK | DT_NOPREFIX, client.right);
            EXPECT_LE(need.cx, client.right) << WindowText(form) << ": " << text;
            EXPECT_LE(need.cy, client.bottom) << WindowText(form) << ": " << text;
        } else if (HasClassName(child, WC_TABCONTROLW)) {
            wchar_t caption[64]{};
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption;
            item.cchTextMax = 64;
            ::SendMessageW(child, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            RECT tab{};
            ::SendMessageW(child, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
            const SIZE need = Needed(child, caption, DT_SINGLELINE);
            EXPECT_LE(need.cx, tab.right - tab.left) << caption;
            EXPECT_LE(need.cy, tab.bottom - tab.top) << caption;
        }
    }
    // The caption, in the title bar's font, between the icon and the close box.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    const FontHandle captionFont(::CreateFontIndirectW(&metrics.lfCaptionFont));
    RECT window{};
    ::GetWindowRect(form, &window);
    const int reserved = 2 * ::GetSystemMetrics(SM_CXSIZEFRAME) + ::GetSystemMetrics(SM_CXSMICON) +
                         ::GetSystemMetrics(SM_CXSIZE) + 4 * ::GetSystemMetrics(SM_CXEDGE);
    const SIZE need = Needed(form, WindowText(form), DT_SINGLELINE | DT_NOPREFIX, 0, captionFont.get());
    EXPECT_LE(need.cx, window.right - window.left - reserved) << WindowText(form);
}

// Every form, at the DPI it opened at and after each move Windows reports to a monitor of another DPI.
void ExpectTextsFitInEveryForm(std::initializer_list<int> moves) {
    Form1 main;
    ASSERT_TRUE(main.Load());
    main.lstKeyword.AddItem(L"casino");
    main.lstKeyword.SetListIndex(0);
    const auto expectFits = [moves](const Form& form) {
        ExpectControlTextsFit(form.Handle());
        for (const int dpi : moves) {
            SCOPED_TRACE(dpi);
            test::SendDpiChanged(form.Handle(), dpi);
            ExpectControlTextsFit(form.Handle());
        }
    };
    expectFits(main);
    frmAdd add;
    frmEdit edit(main.lstKeyword);
    frmAbout about;
    for (Form* dialog : std::vector<Form*>{&add, &edit, &about}) {
        ASSERT_TRUE(dialog->Load(main.Handle()));
        expectFits(*dialog);
        dialog->Unload();
    }
    main.Unload();
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // posted by the main window's destroy
}

// At the DPI this process started with (the prefix's LogPixels). Run by the test below at each DPI.
TEST(TextsFit, AtThisDpi) {
    if (const wchar_t* expected = ::_wgetenv(kExpectDpi)) {
        ASSERT_EQ(ScreenDpi(), std::wcstol(expected, nullptr, 10)) << "the DPI setting did not take";
    }
    ExpectTextsFitInEveryForm({});
}

// This process runs at 96 DPI; its forms are moved to a monitor at 150 % and back.
TEST(TextsFit, AfterAMoveTo144DpiAndBack) {
    ASSERT_EQ(ScreenDpi(), 96);
    ExpectTextsFitInEveryForm({144, 96});
}

// Sets the prefix's DPI while it lives (a process reads it as it starts) and puts back 96.
class PrefixDpi {
public:
    explicit PrefixDpi(DWORD dpi) { Set(dpi); }
    ~PrefixDpi() { Set(96); }
    PrefixDpi(const PrefixDpi&) = delete;
    PrefixDpi& operator=(const PrefixDpi&) = delete;

private:
    // Windows keeps the setting under Control Panel\Desktop; Wine reads its own key as well.
    static void Set(DWORD dpi) {
        for (const wchar_t* key : {L"Control Panel\\Desktop", L"Software\\Wine\\Fonts"}) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
        }
    }
};

// This test program again, running only the test above, at the given DPI; its exit code.
DWORD RunAtDpi(DWORD dpi) {
    const PrefixDpi setting(dpi);
    wchar_t self[MAX_PATH]{};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --gtest_filter=TextsFit.AtThisDpi";
    ::SetEnvironmentVariableW(kExpectDpi, std::to_wstring(dpi).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const BOOL started =
        ::CreateProcessW(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    ::SetEnvironmentVariableW(kExpectDpi, nullptr);
    if (!started) return 0xFFFFFFFF;
    const KernelHandle process(info.hProcess);
    ::CloseHandle(info.hThread);
    ::WaitForSingleObject(process.get(), 120000);
    DWORD code = 0xFFFFFFFF;
    ::GetExitCodeProcess(process.get(), &code);
    return code;
}

TEST(TextsFit, AtEveryDpi) {
    for (const DWORD dpi : {96u, 120u, 144u, 192u}) EXPECT_EQ(RunAtDpi(dpi), 0u) << dpi << " DPI";
}

}  // namespace
}  // namespace quellix
