#include "screen_capture.h"

#include <algorithm>

#include "platform/win_handle.h"

namespace quellix::screenshots {
namespace {

struct ScreenDcTraits {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::ReleaseDC(nullptr, h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteDC(h); }
};
struct BitmapTraits {
    using Handle = HBITMAP;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};
using ScreenDc = UniqueHandle<ScreenDcTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;
using Bitmap = UniqueHandle<BitmapTraits>;

// Puts the bitmap into the memory DC for one copy and takes it out again, so both can be freed.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~Selection() { ::SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace

RgbImage CaptureScreen(RECT area) {
    area.left = std::max(area.left, 0L);
    area.top = std::max(area.top, 0L);
    area.right = std::min<LONG>(area.right, ::GetSystemMetrics(SM_CXSCREEN));
    area.bottom = std::min<LONG>(area.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};

    const ScreenDc screen(::GetDC(nullptr));
    const MemoryDc memory(screen ? ::CreateCompatibleDC(screen.get()) : nullptr);
    if (!memory) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: rows top to bottom, as PNG stores them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap bitmap(::CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    {
        const Selection selected(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return {};
    }
    ::GdiFlush();  // the copy may still be queued; the bits must be complete before they are read

    // DIB rows are blue-green-red and padded to four bytes.
    const auto stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    RgbImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
    const auto* source = static_cast<const std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = source + static_cast<std::size_t>(y) * stride;
        std::uint8_t* to = image.pixels.data() + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return image;
}

}  // namespace quellix::screenshots
