// Owners for what the HID seam hands out: each gives its handle back through the seam that
// produced it when it goes out of scope.
#pragma once

#include <utility>

#include "reader/hid_api.h"

namespace reader {

template <typename Handle, typename Traits>
class SeamOwned {
public:
    SeamOwned() = default;
    SeamOwned(HidApi& api, Handle handle) : api_(&api), handle_(handle) {}
    ~SeamOwned() { reset(); }
    SeamOwned(const SeamOwned&) = delete;
    SeamOwned& operator=(const SeamOwned&) = delete;
    SeamOwned(SeamOwned&& other) noexcept
        : api_(other.api_), handle_(std::exchange(other.handle_, Traits::none())) {}
    SeamOwned& operator=(SeamOwned&& other) noexcept {
        if (this != &other) {
            reset();
            api_ = other.api_;
            handle_ = std::exchange(other.handle_, Traits::none());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    void reset() {
        if (Traits::valid(handle_))
            Traits::release(*api_, handle_);
        handle_ = Traits::none();
    }

private:
    HidApi* api_ = nullptr;
    Handle handle_ = Traits::none();
};

struct KernelObjectTraits {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void release(HidApi& api, HANDLE h) { api.CloseHandle(h); }
};
struct DeviceInfoSetTraits {
    static HDEVINFO none() { return INVALID_HANDLE_VALUE; }
    static bool valid(HDEVINFO h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void release(HidApi& api, HDEVINFO h) { api.SetupDiDestroyDeviceInfoList(h); }
};
struct PreparsedDataTraits {
    static PHIDP_PREPARSED_DATA none() { return nullptr; }
    static bool valid(PHIDP_PREPARSED_DATA h) { return h != nullptr; }
    static void release(HidApi& api, PHIDP_PREPARSED_DATA h) { api.HidD_FreePreparsedData(h); }
};

// A device or event handle.
using SeamHandle = SeamOwned<HANDLE, KernelObjectTraits>;
using DeviceInfoSet = SeamOwned<HDEVINFO, DeviceInfoSetTraits>;
using PreparsedData = SeamOwned<PHIDP_PREPARSED_DATA, PreparsedDataTraits>;

}  // namespace reader
