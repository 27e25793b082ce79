#include "screen_capture.h"

#include <algorithm>

#include "platform/atomic_file.h"
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

bool SaveScreenAsBmp(RECT area, const std::wstring& path) {
    area.left = std::max(area.left, 0L);
    area.top = std::max(area.top, 0L);
    area.right = std::min<LONG>(area.right, ::GetSystemMetrics(SM_CXSCREEN));
    area.bottom = std::min<LONG>(area.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    const ScreenDc screen(::GetDC(nullptr));
    const MemoryDc memory(screen ? ::CreateCompatibleDC(screen.get()) : nullptr);
    if (!memory) return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // rows bottom to top, as BMP files store them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap bitmap(::CreateDIBSection(memory.get(), reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                           &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    {
        const Selection selected(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) return false;
    }
    ::GdiFlush();  // the copy may still be queued; the bits must be complete before they are written

    // A DIB section's bits are the BMP file's pixel array as it stands: rows padded to four bytes.
    const DWORD pixelBytes = static_cast<DWORD>((static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}) *
                             static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + pixelBytes;
    const FileHandle out(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return out && WriteChunk(out.get(), {reinterpret_cast<const char*>(&file), sizeof(file)}) &&
           WriteChunk(out.get(), {reinterpret_cast<const char*>(&header), sizeof(header)}) &&
           WriteChunk(out.get(), {static_cast<const char*>(bits), pixelBytes});
}

}  // namespace quellix::screenshots
