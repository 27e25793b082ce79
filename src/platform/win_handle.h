#pragma once
#include <windows.h>

#include <utility>

namespace quellix {

// Move-only owner of one Win32 handle; Traits says what "no handle" is and how to free it.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::Invalid(); }
    Handle release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) noexcept {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::Invalid();
};

struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::CloseHandle(h); }
};
struct IconHandleTraits {
    using Handle = HICON;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyIcon(h); }
};
struct MenuHandleTraits {
    using Handle = HMENU;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DestroyMenu(h); }
};
struct FontHandleTraits {
    using Handle = HFONT;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::DeleteObject(h); }
};

struct ChangeNotificationTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) noexcept { ::FindCloseChangeNotification(h); }
};

// One reference to a COM object.
template <class Interface>
struct ComTraits {
    using Handle = Interface*;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { h->Release(); }
};

struct LibraryHandleTraits {
    using Handle = HMODULE;
    static Handle Invalid() noexcept { return nullptr; }
    static void Close(Handle h) noexcept { ::FreeLibrary(h); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;      // CreateFile results
using KernelHandle = UniqueHandle<KernelHandleTraits>;  // processes, threads, events
using IconHandle = UniqueHandle<IconHandleTraits>;
using MenuHandle = UniqueHandle<MenuHandleTraits>;
using FontHandle = UniqueHandle<FontHandleTraits>;
using LibraryHandle = UniqueHandle<LibraryHandleTraits>;  // LoadLibrary results
using ChangeNotificationHandle = UniqueHandle<ChangeNotificationTraits>;  // FindFirstChangeNotification results
template <class Interface>
using ComPtr = UniqueHandle<ComTraits<Interface>>;

}  // namespace quellix
