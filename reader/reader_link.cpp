#include "reader/reader_link.h"

#include <cstddef>
#include <functional>
#include <vector>

#include "reader/protocol.h"

namespace reader {
namespace {

// An enumeration step that fails with another error than "no more items" is tried this
// many times at the same index; then the walk ends as if the list had ended there.
constexpr int kEnumerationAttempts = 3;
// A device path longer than this is not a path: the detail record counts as unreadable.
constexpr DWORD kMaxDetailSize = 4096;

// The interface's device path, or false when its detail record cannot be fetched.
bool ReadDevicePath(HidApi& api, HDEVINFO set, SP_DEVICE_INTERFACE_DATA& entry,
                    std::vector<char>& path) {
    DWORD required = 0;
    api.SetupDiGetDeviceInterfaceDetailA(set, &entry, nullptr, 0, &required);
    const DWORD fixedPart = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (required < fixedPart || required > kMaxDetailSize)
        return false;

    std::vector<unsigned char> buffer(required, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = fixedPart;
    if (!api.SetupDiGetDeviceInterfaceDetailA(set, &entry, detail, required, nullptr))
        return false;

    const std::size_t pathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    path.assign(buffer.begin() + pathOffset, buffer.end());
    path.push_back('\0');  // whatever the record held, the path ends inside it
    return true;
}

// The reader's handle when `path` opens and identifies as the reader; none otherwise, and
// then `failure` names the call that failed, if one did.
SeamHandle OpenReader(HidApi& api, const char* path, ReaderInfo& info, SystemFailure& failure) {
    SeamHandle device(
        api, api.CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             OPEN_EXISTING, FILE_FLAG_OVERLAPPED));
    if (!device) {
        failure = {Operation::Open, api.GetLastError()};
        return device;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    if (!api.HidD_GetAttributes(device.get(), &attributes)) {
        failure = {Operation::Attributes, api.GetLastError()};
        return SeamHandle();
    }
    if (attributes.VendorID != kReaderVendorId || attributes.ProductID != kReaderProductId)
        return SeamHandle();  // not the reader: its handle closes here
    info.path = path;
    info.vendorId = attributes.VendorID;
    info.productId = attributes.ProductID;
    info.versionNumber = attributes.VersionNumber;
    return device;
}

// Called with each reader found and its open handle; true stops the walk. The visitor may
// take the handle; what it leaves is closed.
using ReaderVisitor = std::function<bool(const ReaderInfo&, SeamHandle&)>;

// Walks the present HID interfaces in the system's order and visits each reader.
WalkEnd WalkReaders(const ReaderVisitor& visit) {
    HidApi& api = CurrentHidApi();
    GUID hidGuid{};
    api.HidD_GetHidGuid(&hidGuid);
    DeviceInfoSet set(api,
                      api.SetupDiGetClassDevsA(&hidGuid, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set)
        return WalkEnd::NoDeviceList;

    SP_DEVICE_INTERFACE_DATA entry{};
    entry.cbSize = sizeof(entry);
    DWORD index = 0;
    int failedAttempts = 0;
    while (true) {
        if (!api.SetupDiEnumDeviceInterfaces(set.get(), &hidGuid, index, &entry)) {
            if (api.GetLastError() == ERROR_NO_MORE_ITEMS)
                break;
            if (++failedAttempts >= kEnumerationAttempts)
                break;
            continue;
        }
        failedAttempts = 0;

        std::vector<char> path;
        if (!ReadDevicePath(api, set.get(), entry, path))
            return WalkEnd::DetailFailed;
        ++index;
        ReaderInfo info;
        SystemFailure skipped;  // an interface that cannot be opened or read is passed over
        SeamHandle device = OpenReader(api, path.data(), info, skipped);
        if (device && visit(info, device))
            return WalkEnd::Stopped;
    }
    return WalkEnd::Completed;
}

}  // namespace

bool ReaderLink::Close() {
    if (!IsOpen())
        return false;
    handle_.reset();
    return true;
}

// Reading the attributes needs nothing but a working handle: a reader that is plugged in
// always answers, one that was pulled out never does.
bool ReaderLink::StillAnswers() {
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof(attributes);
    return CurrentHidApi().HidD_GetAttributes(handle_.get(), &attributes) != FALSE;
}

ReaderLink::SearchResult ReaderLink::Find() {
    if (IsOpen()) {
        if (StillAnswers())
            return {Outcome::AlreadyOpen};
        handle_.reset();
    }
    std::uint16_t versionNumber{};  // set with the reader found
    const WalkEnd end = WalkReaders([&](const ReaderInfo& info, SeamHandle& device) {
        handle_ = std::move(device);
        path_ = info.path;
        versionNumber = info.versionNumber;
        return true;  // the first reader is the one; later interfaces are not examined
    });
    switch (end) {
        case WalkEnd::NoDeviceList:
            return {Outcome::NoDeviceList};
        case WalkEnd::DetailFailed:
            return {Outcome::DetailFailed};
        case WalkEnd::Stopped:
            return {Outcome::Found, versionNumber};
        case WalkEnd::Completed:
            break;
    }
    return {Outcome::NotFound};
}

bool ReaderLink::Open(const std::string& path) {
    handle_.reset();
    openFailure_ = SystemFailure();
    ReaderInfo info;
    handle_ = OpenReader(CurrentHidApi(), path.c_str(), info, openFailure_);
    path_ = path;
    return IsOpen();
}

ReaderList ListReaders() {
    ReaderList list;
    list.end = WalkReaders([&](const ReaderInfo& info, SeamHandle&) {
        list.readers.push_back(info);
        return false;
    });
    return list;
}

}  // namespace reader
