// Owners for what the HID seam hands out: each gives its handle back through the seam that
// produced it when it goes out of scope.
#pragma once

#include "framework/owned.h"
#include "reader/hid_api.h"

namespace reader {

// Kept in the owner: the seam the handle came from.
template <typename Handle, BOOL (HidApi::*Release)(Handle)>
struct SeamTraits {
    HidApi* api = nullptr;
    static Handle none() { return Handle(INVALID_HANDLE_VALUE); }
    static bool valid(Handle h) { return h != nullptr && h != Handle(INVALID_HANDLE_VALUE); }
    void close(Handle h) const { (api->*Release)(h); }
};
struct PreparsedDataTraits {
    HidApi* api = nullptr;
    static PHIDP_PREPARSED_DATA none() { return nullptr; }
    static bool valid(PHIDP_PREPARSED_DATA h) { return h != nullptr; }
    void close(PHIDP_PREPARSED_DATA h) const { api->HidD_FreePreparsedData(h); }
};

template <typename Handle, typename Traits>
class SeamOwned : public fw::Owned<Handle, Traits> {
public:
    SeamOwned() = default;
    SeamOwned(HidApi& api, Handle handle) : fw::Owned<Handle, Traits>(handle, Traits{&api}) {}
};

// A device or event handle.
using SeamHandle = SeamOwned<HANDLE, SeamTraits<HANDLE, &HidApi::CloseHandle>>;
using DeviceInfoSet =
    SeamOwned<HDEVINFO, SeamTraits<HDEVINFO, &HidApi::SetupDiDestroyDeviceInfoList>>;
using PreparsedData = SeamOwned<PHIDP_PREPARSED_DATA, PreparsedDataTraits>;

}  // namespace reader
