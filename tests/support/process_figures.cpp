#include "support/process_figures.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace quellix::test {
namespace {

// From the system's process list: Wine answers GetProcessHandleCount for another process with 0,
// while the list it keeps for task managers is right, as it is on Windows.
DWORD HandleCountOf(DWORD pid) {
    std::vector<char> buffer(1 << 20);
    ULONG needed = 0;
    if (::NtQuerySystemInformation(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                   &needed) != 0) {
        return 0;
    }
    for (std::size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        if (reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId) == pid) return entry->HandleCount;
        if (entry->NextEntryOffset == 0) return 0;
        at += entry->NextEntryOffset;
    }
}

}  // namespace

ProcessFigures MeasureProcess(HANDLE process) {
    ProcessFigures f;
    f.handles = HandleCountOf(::GetProcessId(process));
    f.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
    f.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (::GetProcessMemoryInfo(process, &memory, sizeof(memory))) f.workingSet = memory.WorkingSetSize;
    return f;
}

}  // namespace quellix::test
