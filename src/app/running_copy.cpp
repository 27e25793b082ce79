#include "app/running_copy.h"

#include <cstdint>
#include <string>
#include <utility>

#include "platform/message_box.h"

namespace quellix {
namespace {

// The object's name: "Local\" keeps it to this session; the folder, upper-cased as Windows compares paths, is
// hashed because a name may hold no backslash.
std::wstring ObjectName(std::wstring_view folder) {
    std::wstring upper(folder);
    if (!upper.empty()) {
        ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, upper.data(), static_cast<int>(upper.size()),
                       upper.data(), static_cast<int>(upper.size()));
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the UTF-16 units
    for (const wchar_t unit : upper) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    }
    wchar_t hex[17]{};
    for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789abcdef"[hash & 0xF];
    return std::wstring(L"Local\\Vorel.Quellix.") + hex;
}

// The main window's handle in a 64-bit value, so that 32-bit and 64-bit copies read each other. A window handle has 32
// significant bits, which a 64-bit process holds sign-extended: it is stored and read back as Windows documents for
// handles passed between the two (HandleToLong, LongToHandle).
class MappedHandle {
public:
    explicit MappedHandle(HANDLE mapping)
        : view_(static_cast<volatile std::uint64_t*>(
              ::MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(std::uint64_t)))) {}
    ~MappedHandle() {
        if (view_) ::UnmapViewOfFile(const_cast<std::uint64_t*>(view_));
    }
    MappedHandle(const MappedHandle&) = delete;
    MappedHandle& operator=(const MappedHandle&) = delete;

    HWND Read() const { return view_ ? static_cast<HWND>(LongToHandle(static_cast<LONG>(*view_))) : nullptr; }
    void Write(HWND window) const {
        if (view_) *view_ = static_cast<std::uint64_t>(std::int64_t{HandleToLong(window)});
    }

private:
    volatile std::uint64_t* view_;
};

// The error is read at once: anything called after the creation may set another.
RunningCopy CreateRunningCopy(std::wstring_view folder) {
    const std::wstring name = ObjectName(folder);
    KernelHandle mapping(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              sizeof(std::uint64_t), name.c_str()));
    const DWORD error = ::GetLastError();
    return RunningCopy(std::move(mapping), error);
}

}  // namespace

RunningCopy::RunningCopy(std::wstring_view folder) : RunningCopy(CreateRunningCopy(folder)) {}

// Refused the object means a copy made it with other rights. Without the object for any other reason the
// program runs as before: one copy too many beats none at all.
RunningCopy::RunningCopy(KernelHandle mapping, DWORD error)
    : mapping_(std::move(mapping)),
      another_(mapping_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED) {}

void RunningCopy::Publish(HWND mainWindow) const {
    if (mapping_) MappedHandle(mapping_.get()).Write(mainWindow);
}

void RunningCopy::GiveWay() const {
    // The system drops a message posted up to a copy with higher rights, so there is nothing to bring up.
    if (HasOtherRights()) {
        ShowStopMessage(nullptr, L"Another copy of Quellix already runs from this folder with other rights.");
    } else {
        BringUpRunningCopy();
    }
}

bool RunningCopy::BringUpRunningCopy() const {
    const MappedHandle shared(mapping_.get());
    HWND window = nullptr;
    for (int wait = 0; wait < 100 && !(window = shared.Read()); ++wait) ::Sleep(50);
    if (!window || !::IsWindow(window)) return false;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    // This process was just started by the user and may take the foreground; it hands that right on.
    ::AllowSetForegroundWindow(pid);
    return ::PostMessageW(window, WM_HOTKEY, 0, 0) != FALSE;
}

}  // namespace quellix
