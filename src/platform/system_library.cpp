#include "platform/system_library.h"

#include <string>

#include "platform/win_handle.h"

namespace quellix {

HMODULE PinnedSystemLibrary(const wchar_t* fileName) {
    wchar_t system[MAX_PATH]{};
    const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(system, n) + L"\\" + fileName;
    const LibraryHandle library(::LoadLibraryW(path.c_str()));
    HMODULE pinned = nullptr;
    // The pin holds the module after this load's own reference is given back.
    if (!library || !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN, path.c_str(), &pinned)) return nullptr;
    return pinned;
}

}  // namespace quellix
