#pragma once
#include <windows.h>

namespace quellix {

// A DLL of the system folder, never one of the same name beside the exe, loaded once and kept for the rest of the
// process: the objects it makes for the program may be released at any time, from any code. Null when it cannot
// be loaded; the program then goes without what it offers.
HMODULE PinnedSystemLibrary(const wchar_t* fileName);

// A function the module exports, looked up by name; null when the module or the function is missing (an older
// Windows).
template <class Function>
Function ExportOf(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace quellix
