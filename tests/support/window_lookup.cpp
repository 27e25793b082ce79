#include "support/window_lookup.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/com_apartment.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/win_handle.h"

namespace quellix::test {
namespace {

struct Search {
    const WindowQuery& query;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    const WindowQuery& q = search.query;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != q.pid || hwnd == q.except || (q.visibleOnly && !::IsWindowVisible(hwnd))) return TRUE;
    if (q.windowClass && ClassName(hwnd) != q.windowClass) return TRUE;
    if (q.caption && WindowText(hwnd) != q.caption) return TRUE;
    search.found = hwnd;
    return FALSE;
}

}  // namespace

std::wstring WindowText(HWND hwnd) {
    wchar_t text[512]{};
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &ignored);
    return text;
}

std::wstring ClassName(HWND hwnd) {
    wchar_t name[128]{};
    ::GetClassNameW(hwnd, name, 128);
    return name;
}

HWND FindChild(HWND parent, const std::wstring& windowClass, const std::wstring& text) {
    for (HWND child = ::FindWindowExW(parent, nullptr, windowClass.c_str(), nullptr); child;
         child = ::FindWindowExW(parent, child, windowClass.c_str(), nullptr)) {
        if (WindowText(child) == text) return child;
    }
    return nullptr;
}

HWND FindTopLevel(const WindowQuery& query) {
    Search search{query, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, Pump pump) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(query)) != nullptr; }, kGenerous, pump);
    return found;
}

std::wstring MessageBoxText(HWND box) {
    // The message box's text is its static control with id 0xFFFF.
    const HWND text = ::GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::wstring();
}

Placement PlacementOf(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Placement FromTwips(const TwipsRect& t, int dpi) {
    return {TwipsToPixels(t.left, dpi), TwipsToPixels(t.top, dpi), TwipsToPixels(t.width, dpi),
            TwipsToPixels(t.height, dpi)};
}

namespace {
RECT SuggestedRect(HWND window, int fromDpi, int toDpi) {
    RECT r{};
    ::GetWindowRect(window, &r);
    RECT suggested{r.left + 40, r.top + 30, 0, 0};
    suggested.right = suggested.left + ::MulDiv(r.right - r.left, toDpi, fromDpi);
    suggested.bottom = suggested.top + ::MulDiv(r.bottom - r.top, toDpi, fromDpi);
    return suggested;
}
}  // namespace

RECT SendDpiChanged(HWND window, int dpi) {
    RECT suggested = SuggestedRect(window, Form::FromHandle(window)->Dpi(), dpi);
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

// Wine hands this message's lParam to the other process unchanged, as it does for any message whose pointer it
// does not know to copy.
RECT SendDpiChanged(HWND window, HANDLE process, int fromDpi, int toDpi) {
    const RECT suggested = SuggestedRect(window, fromDpi, toDpi);
    void* there = ::VirtualAllocEx(process, nullptr, sizeof(suggested), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!there) return suggested;
    if (::WriteProcessMemory(process, there, &suggested, sizeof(suggested), nullptr)) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(toDpi, toDpi), reinterpret_cast<LPARAM>(there),
                              SMTO_NORMAL, 5000, &ignored);
    }
    ::VirtualFreeEx(process, there, 0, MEM_RELEASE);
    return suggested;
}

std::wstring AccessibleName(HWND control) {
    const ComApartment apartment;
    IAccessible* found = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&found)))) {
        return L"<no accessible object>";
    }
    const ComPtr<IAccessible> object(found);
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object.get()->get_accName(self, &name) != S_OK) return {};
    std::wstring text(name, ::SysStringLen(name));
    ::SysFreeString(name);
    return text;
}

namespace {
Placement OnScreen(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }
Placement OnScreen(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return OnScreen(r);
}
int WindowIconWidth(HWND window, WPARAM which) {
    return IconWidth(reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, which, 0)));
}
}  // namespace

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return 0;
    BITMAP mask{};
    ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return mask.bmWidth;
}

void ExpectLayout(HWND form, int clientWidth, int clientHeight, const std::vector<ExpectedChild>& children) {
    int dpi = ScreenDpi();  // the DPI the form opened at, on the one monitor
    const auto expectChildren = [&] {
        for (const ExpectedChild& c : children) {
            const std::wstring text = WindowText(c.control);
            EXPECT_EQ(PlacementOf(c.control), FromTwips(c.twips, dpi)) << text;
            if (::GetWindowLongW(c.control, GWL_STYLE) & WS_VISIBLE) {
                LOGFONTW font{};
                ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(c.control, WM_GETFONT, 0, 0)), sizeof(font), &font);
                EXPECT_EQ(font.lfHeight, -::MulDiv(8, dpi, 72)) << text;
            }
        }
    };
    for (const ExpectedChild& c : children) {
        const std::wstring text = WindowText(c.control);
        if (c.windowClass) {
            EXPECT_EQ(ClassName(c.control), c.windowClass) << text;
        }
        if (c.text) {
            EXPECT_EQ(text, c.text);
        }
        if (c.name) {
            EXPECT_EQ(AccessibleName(c.control), c.name) << text;
        }
    }
    for (const int next : {0, 144, 96}) {
        if (next) {
            const RECT suggested = SendDpiChanged(form, dpi = next);
            EXPECT_EQ((std::pair{OnScreen(form)[0], OnScreen(form)[1]}), (std::pair{suggested.left, suggested.top}))
                << "the suggested place";
        }
        SCOPED_TRACE(dpi);
        RECT client{};
        ::GetClientRect(form, &client);
        EXPECT_EQ(client.right, TwipsToPixels(clientWidth, dpi));
        EXPECT_EQ(client.bottom, TwipsToPixels(clientHeight, dpi));
        expectChildren();
        // Each icon loaded at its size for this DPI, not scaled from the size of another.
        EXPECT_EQ(WindowIconWidth(form, ICON_BIG), ::MulDiv(::GetSystemMetrics(SM_CXICON), dpi, ScreenDpi()));
        EXPECT_EQ(WindowIconWidth(form, ICON_SMALL), ::MulDiv(::GetSystemMetrics(SM_CXSMICON), dpi, ScreenDpi()));
    }
    // A size the user gave the window goes along, scaled there and back, and moves nothing inside.
    const LONG width = OnScreen(form)[2] + 120, height = OnScreen(form)[3] + 80;
    ::SetWindowPos(form, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const int next : {144, 96}) {
        SCOPED_TRACE("resized, " + std::to_string(next));
        const RECT suggested = SendDpiChanged(form, dpi = next);
        EXPECT_EQ(OnScreen(form), OnScreen(suggested));
        expectChildren();
    }
    EXPECT_NEAR(OnScreen(form)[2], width, 1);
    EXPECT_NEAR(OnScreen(form)[3], height, 1);
}

bool IsCentred(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return std::abs((r.left + r.right) - ::GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
           std::abs((r.top + r.bottom) - ::GetSystemMetrics(SM_CYSCREEN)) <= 1;
}

}  // namespace quellix::test
