#include "simulated_hid.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

namespace {

// The HID interface class.
const GUID kHidGuid = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

constexpr DWORD kStatusCancelled = 0xC0000120;
constexpr DWORD kStatusDeviceGone = 0xC000009D;
// A transfer that ends with a given system error: the error in the low bits.
constexpr DWORD kFailedWithError = 0xE0000000;

}  // namespace

SimulatedHid::SimulatedHid() : previous_(reader::SetHidApi(this)) {}
SimulatedHid::~SimulatedHid() {
    reader::SetHidApi(previous_);
}

SimulatedDevice& SimulatedHid::AddDevice(USHORT vendorId, USHORT productId) {
    SimulatedDevice& device = devices_.emplace_back();
    char path[96];
    snprintf(path, sizeof(path),
             "\\\\?\\hid#vid_%04x&pid_%04x#%u#{4d1e55b2-f16f-11cf-88cb-001111000030}", vendorId,
             productId, static_cast<unsigned>(devices_.size()));
    device.path = path;
    device.vendorId = vendorId;
    device.productId = productId;
    return device;
}

SimulatedDevice& SimulatedHid::AddReader(USHORT versionNumber) {
    SimulatedDevice& reader = AddDevice(0x5131, 0x2007);
    reader.versionNumber = versionNumber;
    return reader;
}

void SimulatedHid::AddWineDevices() {
    SimulatedDevice& mouse = AddDevice(0x845E, 0x0001);
    mouse.outputLength = 0;
    mouse.inputLength = 2;
    SimulatedDevice& keyboard = AddDevice(0x845E, 0x0002);
    keyboard.outputLength = 0;
    keyboard.inputLength = 14;
}

void SimulatedHid::Unplug(SimulatedDevice& device) {
    device.present = false;
    device.vanish = SimulatedDevice::Vanish::Never;
    ++device.generation;
    // Transfers pending on the device end with an error.
    for (auto& [id, object] : handles_) {
        if (object.kind != Object::Kind::Device || &devices_[object.device] != &device)
            continue;
        for (const Transfer& transfer : object.pending)
            Complete(transfer.overlapped, kStatusDeviceGone, 0);
        object.pending.clear();
        object.queue.clear();
    }
}

void SimulatedHid::PlugBackIn(SimulatedDevice& device) {
    device.present = true;
}

void SimulatedHid::FailEnumeration(DWORD index, DWORD error, int times) {
    enumerationFaults_[index] = {error, times};
}

std::vector<std::string> SimulatedHid::Problems(int expectedOpenDevices) const {
    std::vector<std::string> problems = faults_;
    int devicesOpen = 0;
    for (const auto& [id, object] : handles_) {
        if (object.kind == Object::Kind::Device) {
            ++devicesOpen;
            if (!object.pending.empty())
                problems.push_back("transfer left pending");
        } else {
            problems.push_back("handle left open: " + std::to_string(id));
        }
    }
    if (devicesOpen != expectedOpenDevices)
        problems.push_back("device handles open: " + std::to_string(devicesOpen));
    if (!preparsed_.empty())
        problems.push_back("preparsed data not freed");
    return problems;
}

int SimulatedHid::CloseLeftoverEvents() {
    int closed = 0;
    for (auto it = handles_.begin(); it != handles_.end();) {
        if (it->second.kind == Object::Kind::Event) {
            it = handles_.erase(it);
            ++closed;
        } else {
            ++it;
        }
    }
    return closed;
}

HANDLE SimulatedHid::NewHandle(Object object) {
    nextHandle_ += 4;
    handles_.emplace(nextHandle_, std::move(object));
    return reinterpret_cast<HANDLE>(nextHandle_);
}

SimulatedHid::Object* SimulatedHid::Find(HANDLE handle, Object::Kind kind) {
    auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == handles_.end() || it->second.kind != kind)
        return nullptr;
    return &it->second;
}

// The device behind an open handle, unless it was unplugged since the handle was opened.
SimulatedDevice* SimulatedHid::Live(Object& handle) {
    SimulatedDevice& device = devices_[handle.device];
    if (!device.present || device.generation != handle.generation)
        return nullptr;
    return &device;
}

void SimulatedHid::Signal(HANDLE event) {
    if (Object* object = Find(event, Object::Kind::Event))
        object->signalled = true;
}

void SimulatedHid::Complete(OVERLAPPED* overlapped, DWORD status, DWORD transferred) {
    overlapped->Internal = status;
    overlapped->InternalHigh = transferred;
    Signal(overlapped->hEvent);
}

BOOL SimulatedHid::CloseHandle(HANDLE handle) {
    auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == handles_.end() || it->second.kind == Object::Kind::DeviceInfoSet)
        return Misuse("CloseHandle of a handle not open: " +
                          std::to_string(reinterpret_cast<std::uintptr_t>(handle)),
                      ERROR_INVALID_HANDLE);
    // Closing a device ends its transfers; their memory must still be alive then.
    if (it->second.kind == Object::Kind::Device) {
        for (const Transfer& transfer : it->second.pending)
            Complete(transfer.overlapped, kStatusCancelled, 0);
    }
    if (it->second.kind == Object::Kind::Event) {
        for (const auto& [id, object] : handles_)
            for (const Transfer& transfer : object.pending)
                if (transfer.overlapped->hEvent == handle)
                    Fault("event closed with a transfer pending");
    }
    handles_.erase(it);
    return TRUE;
}

void SimulatedHid::HidD_GetHidGuid(GUID* guid) {
    *guid = kHidGuid;
}

HDEVINFO SimulatedHid::SetupDiGetClassDevsA(const GUID* guid, DWORD flags) {
    if (guid == nullptr || !IsEqualGUID(*guid, kHidGuid))
        Fault("listed another class");
    if (flags != (DIGCF_PRESENT | DIGCF_DEVICEINTERFACE))
        Fault("listed with flags " + std::to_string(flags));
    if (classDevsFail)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    Object set(Object::Kind::DeviceInfoSet);
    for (std::size_t i = 0; i < devices_.size(); ++i)
        if (devices_[i].present)
            set.listed.push_back(i);
    return NewHandle(std::move(set));
}

BOOL SimulatedHid::SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                               SP_DEVICE_INTERFACE_DATA* data) {
    ++enumerationCalls_;
    Object* list = Find(set, Object::Kind::DeviceInfoSet);
    if (list == nullptr || guid == nullptr || !IsEqualGUID(*guid, kHidGuid) ||
        data->cbSize != sizeof(SP_DEVICE_INTERFACE_DATA))
        return Misuse("enumeration with unexpected arguments", ERROR_INVALID_PARAMETER);
    auto fault = enumerationFaults_.find(index);
    if (fault != enumerationFaults_.end() && fault->second.times != 0) {
        if (fault->second.times > 0)
            --fault->second.times;
        return Fail(fault->second.error);
    }
    if (index >= list->listed.size())
        return Fail(ERROR_NO_MORE_ITEMS);
    data->InterfaceClassGuid = kHidGuid;
    data->Flags = SPINT_ACTIVE;
    data->Reserved = list->listed[index];
    return TRUE;
}

BOOL SimulatedHid::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                    DWORD size, DWORD* requiredSize) {
    if (Find(set, Object::Kind::DeviceInfoSet) == nullptr || data->Reserved >= devices_.size())
        return Misuse("detail with unexpected arguments", ERROR_INVALID_PARAMETER);
    const SimulatedDevice& device = devices_[data->Reserved];
    const DWORD required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                           static_cast<DWORD>(device.path.size()) + 1;
    if (detail == nullptr) {
        if (requiredSize != nullptr)
            *requiredSize = required;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) || size < required)
        return Misuse("detail record of the wrong size", ERROR_INVALID_USER_BUFFER);
    if (device.detailFails)
        return Fail(ERROR_NOT_FOUND);
    std::memcpy(detail->DevicePath, device.path.c_str(), device.path.size() + 1);
    return TRUE;
}

BOOL SimulatedHid::SetupDiDestroyDeviceInfoList(HDEVINFO set) {
    if (handles_.erase(reinterpret_cast<std::uintptr_t>(set)) == 0) {
        Fault("destroyed a device list not open");
        return FALSE;
    }
    return TRUE;
}

HANDLE SimulatedHid::CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                                 DWORD flags) {
    if (access != (GENERIC_READ | GENERIC_WRITE) || share != (FILE_SHARE_READ | FILE_SHARE_WRITE) ||
        disposition != OPEN_EXISTING || flags != FILE_FLAG_OVERLAPPED)
        Fault("opened with unexpected arguments");
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        SimulatedDevice& device = devices_[i];
        if (!device.present || device.path != path)
            continue;
        ++device.openCount;
        if (!device.opens)
            return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
        Object handle(Object::Kind::Device);
        handle.device = i;
        handle.generation = device.generation;
        return NewHandle(std::move(handle));
    }
    return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
}

BOOLEAN SimulatedHid::HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) {
    Object* handle = Find(device, Object::Kind::Device);
    SimulatedDevice* live = handle ? Live(*handle) : nullptr;
    if (attributes->Size != sizeof(HIDD_ATTRIBUTES))
        Fault("attributes record of the wrong size");
    if (live == nullptr)
        return Fail(removalError);
    if (live->attributesFail)
        return Fail(ERROR_GEN_FAILURE);
    attributes->VendorID = live->vendorId;
    attributes->ProductID = live->productId;
    attributes->VersionNumber = live->versionNumber;
    return TRUE;
}

// An unplugged device's description is still known to the handle; its transfers fail.
BOOLEAN SimulatedHid::HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) {
    Object* handle = Find(device, Object::Kind::Device);
    if (handle == nullptr || devices_[handle->device].preparsedFails)
        return Fail(ERROR_INVALID_HANDLE);
    nextHandle_ += 4;
    *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(nextHandle_);
    preparsed_[*data] = handle->device;
    return TRUE;
}

BOOLEAN SimulatedHid::HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) {
    if (preparsed_.erase(data) == 0) {
        Fault("freed preparsed data not held");
        return FALSE;
    }
    return TRUE;
}

BOOLEAN SimulatedHid::HidD_FlushQueue(HANDLE device) {
    Object* handle = Find(device, Object::Kind::Device);
    if (handle == nullptr || !flushSupported)
        return Fail(ERROR_NOT_SUPPORTED);
    handle->queue.clear();
    return TRUE;
}

NTSTATUS SimulatedHid::HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) {
    auto it = preparsed_.find(data);
    if (it == preparsed_.end()) {
        Fault("capabilities of preparsed data not held");
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    const SimulatedDevice& device = devices_[it->second];
    if (device.capsFail)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    *caps = HIDP_CAPS{};
    caps->UsagePage = 0xFF00;
    caps->InputReportByteLength = device.inputLength;
    caps->OutputReportByteLength = device.outputLength;
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS SimulatedHid::HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, USHORT collection,
                                      USAGE*, ULONG* usageCount, PHIDP_PREPARSED_DATA data, char*,
                                      ULONG reportLength) {
    auto it = preparsed_.find(data);
    if (it == preparsed_.end() || type != HidP_Output || usagePage != 0x01 || collection != 0 ||
        usageCount == nullptr || *usageCount != 0 ||
        reportLength != devices_[it->second].outputLength) {
        Fault("usage gate with unexpected arguments");
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    return devices_[it->second].gate;
}

HANDLE SimulatedHid::CreateEventA(BOOL manualReset, BOOL initialState, const char* name) {
    if (!manualReset || !initialState || name == nullptr || name[0] != '\0')
        Fault("event created with unexpected arguments");
    Object event(Object::Kind::Event);
    event.signalled = initialState != FALSE;
    return NewHandle(std::move(event));
}

BOOL SimulatedHid::ResetEvent(HANDLE event) {
    Object* object = Find(event, Object::Kind::Event);
    if (object == nullptr) {
        Fault("reset of an event not open");
        return FALSE;
    }
    object->signalled = false;
    return TRUE;
}

DWORD SimulatedHid::WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    DeliverLateAnswer(object, milliseconds);
    Object* event = Find(object, Object::Kind::Event);
    if (event == nullptr)
        return Misuse("wait on an event not open", ERROR_INVALID_HANDLE, WAIT_FAILED);
    return event->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void SimulatedHid::Answer(Object& handle, SimulatedDevice& device) {
    if (device.answer == SimulatedDevice::Answer::Silent)
        return;
    Report answer(device.inputLength, 0);
    auto put = [&answer](std::size_t at, std::uint8_t byte) {
        if (at < answer.size())
            answer[at] = byte;
    };
    switch (device.answer) {
        case SimulatedDevice::Answer::Yes:
            put(3, 'Y');
            break;
        case SimulatedDevice::Answer::No:
            put(3, 'N');
            break;
        case SimulatedDevice::Answer::Byte:
            put(3, device.answerByte);
            break;
        case SimulatedDevice::Answer::Version: {
            put(1, 0x02);
            put(2, 0x05);
            std::size_t at = 3;
            for (char c : device.versionText)
                put(at++, static_cast<std::uint8_t>(c));
            put(at, 0x03);
            break;
        }
        case SimulatedDevice::Answer::Raw:
            for (std::size_t i = 0; i < device.raw.size(); ++i)
                put(i, device.raw[i]);
            break;
        case SimulatedDevice::Answer::Silent:
            break;
    }
    if (device.answerLate || device.answerDelayMs > 0) {
        handle.lateAnswer = answer;
        handle.lateDelayMs = device.answerLate ? INFINITE : device.answerDelayMs;
    } else {
        handle.queue.push_back(answer);
    }
}

// A read waited for at least as long as the reader takes to answer gets the answer.
void SimulatedHid::DeliverLateAnswer(HANDLE event, DWORD milliseconds) {
    for (auto& [id, handle] : handles_) {
        if (handle.lateAnswer.empty() || handle.lateDelayMs == INFINITE ||
            milliseconds < handle.lateDelayMs)
            continue;
        for (auto it = handle.pending.begin(); it != handle.pending.end(); ++it) {
            if (!it->read || it->overlapped->hEvent != event)
                continue;
            std::memcpy(it->buffer, handle.lateAnswer.data(), handle.lateAnswer.size());
            Complete(it->overlapped, 0, static_cast<DWORD>(handle.lateAnswer.size()));
            handle.pending.erase(it);
            handle.lateAnswer.clear();
            return;
        }
    }
}

// What every read and write checks first; the device still plugged in behind `device`, or
// null with the last error set.
SimulatedDevice* SimulatedHid::BeginTransfer(HANDLE device, OVERLAPPED* overlapped,
                                             const char* verb, Object** handle) {
    *handle = Find(device, Object::Kind::Device);
    if (*handle == nullptr)
        return Misuse(std::string(verb) + " a handle not open", ERROR_INVALID_HANDLE, nullptr);
    for (const Transfer& transfer : (*handle)->pending)
        if (transfer.overlapped == overlapped)
            Fault("overlapped record reused while pending");
    SimulatedDevice* live = Live(**handle);
    if (live == nullptr)
        lastError_ = removalError;
    return live;
}

BOOL SimulatedHid::WriteFile(HANDLE device, const void* data, DWORD size, DWORD* written,
                             OVERLAPPED* overlapped) {
    Object* handle = nullptr;
    SimulatedDevice* live = BeginTransfer(device, overlapped, "write to", &handle);
    if (live == nullptr)
        return FALSE;
    if (size != live->outputLength)
        return Misuse("write of " + std::to_string(size) + " bytes", ERROR_INVALID_PARAMETER);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    live->writes.emplace_back(bytes, bytes + size);
    handle->written = true;
    if (written != nullptr)
        *written = 0;
    lastError_ = ERROR_IO_PENDING;
    if (live->stallWrites || live->vanish == SimulatedDevice::Vanish::DuringWrite) {
        handle->pending.push_back({overlapped, false, nullptr, size});
        if (live->vanish == SimulatedDevice::Vanish::DuringWrite)
            Unplug(*live);
        return FALSE;
    }
    if (live->failWith != 0) {
        Complete(overlapped, kFailedWithError | live->failWith, 0);
        return FALSE;
    }
    Complete(overlapped, 0, size - std::min(size, live->shortBy));
    if (live->vanish != SimulatedDevice::Vanish::DuringRead)  // gone before it answers
        Answer(*handle, *live);
    return FALSE;
}

BOOL SimulatedHid::ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read,
                            OVERLAPPED* overlapped) {
    Object* handle = nullptr;
    SimulatedDevice* live = BeginTransfer(device, overlapped, "read from", &handle);
    if (live == nullptr)
        return FALSE;
    live->readSizes.push_back(size);
    const bool answerRead = std::exchange(handle->written, false);
    if (size < live->inputLength)
        return Fail(ERROR_INVALID_USER_BUFFER);
    if (read != nullptr)
        *read = 0;
    if (!handle->queue.empty()) {
        const Report& report = handle->queue.front();
        std::memcpy(buffer, report.data(), report.size());
        const DWORD moved = static_cast<DWORD>(report.size());
        Complete(overlapped, 0, moved - std::min(moved, live->shortBy));
        handle->queue.pop_front();
        if (read != nullptr)
            *read = live->inputLength;
        return TRUE;
    }
    handle->pending.push_back({overlapped, true, static_cast<std::uint8_t*>(buffer), size});
    lastError_ = ERROR_IO_PENDING;
    // Pulled out while the read of an answer is pending (not one that empties the queue
    // before the command is written).
    if (live->vanish == SimulatedDevice::Vanish::DuringRead && answerRead)
        Unplug(*live);
    return FALSE;
}

BOOL SimulatedHid::CancelIo(HANDLE device) {
    Object* handle = Find(device, Object::Kind::Device);
    if (handle == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    SimulatedDevice& simulated = devices_[handle->device];
    if (simulated.ignoresCancel)
        return TRUE;
    bool readCancelled = false;
    for (const Transfer& transfer : handle->pending) {
        Complete(transfer.overlapped, kStatusCancelled, 0);
        readCancelled = readCancelled || transfer.read;
    }
    handle->pending.clear();
    // The reader answers only now that the read has given up; the system keeps the report.
    if (readCancelled && !handle->lateAnswer.empty()) {
        handle->queue.push_back(handle->lateAnswer);
        handle->lateAnswer.clear();
    }
    return TRUE;
}

BOOL SimulatedHid::GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                                       BOOL wait) {
    Object* handle = Find(device, Object::Kind::Device);
    if (handle == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    for (const Transfer& transfer : handle->pending) {
        if (transfer.overlapped != overlapped)
            continue;
        if (wait)
            Fault("waited without end for a transfer that never completes");
        return Fail(ERROR_IO_INCOMPLETE);
    }
    if (transferred != nullptr)
        *transferred = static_cast<DWORD>(overlapped->InternalHigh);
    if (overlapped->Internal != 0) {
        const DWORD status = static_cast<DWORD>(overlapped->Internal);
        return Fail(status == kStatusCancelled                  ? ERROR_OPERATION_ABORTED
                    : (status & 0xF0000000) == kFailedWithError ? status & 0xFFFF
                                                                : removalError);
    }
    return TRUE;
}
