#include "platform/com_apartment.h"

#include <objbase.h>

#include "platform/system_library.h"

namespace quellix {

ComApartment::ComApartment() {
    const HMODULE ole32 = PinnedSystemLibrary(L"ole32.dll");
    using Initialize = HRESULT(WINAPI*)(void*, DWORD);
    const auto initialize = ExportOf<Initialize>(ole32, "CoInitializeEx");
    const auto uninitialize = ExportOf<Uninitialize>(ole32, "CoUninitialize");
    // S_FALSE too: the thread was an apartment already, and each success is balanced by one CoUninitialize.
    if (initialize && uninitialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED))) {
        uninitialize_ = uninitialize;
    }
}

ComApartment::~ComApartment() {
    if (uninitialize_) uninitialize_();
}

}  // namespace quellix
