#include "simulated_hid.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

using Vanish = SimulatedDevice::Vanish;

SimulatedDevice& SimulatedHid::AddDevice(USHORT vendorId, USHORT productId) {
    SimulatedDevice& device = devices_.emplace_back();
    device.vendorId = vendorId;
    device.productId = productId;
    char path[64];
    snprintf(path, sizeof(path), "\\\\?\\hid#vid_%04x&pid_%04x#%u", vendorId, productId,
             static_cast<unsigned>(devices_.size()));
    device.path = path;
    return device;
}

void SimulatedHid::AddWineDevices() {
    for (USHORT product : {1, 2}) {
        SimulatedDevice& device = AddDevice(0x845E, product);
        device.outputLength = 0;
        device.inputLength = product == 1 ? 2 : 14;
    }
}

void SimulatedHid::Unplug(SimulatedDevice& device) {
    device.present = false;
    device.vanish = Vanish::Never;
    ++device.generation;
    for (auto& [id, handle] : handles_) {
        if (handle.kind == Kind::Device && &devices_[handle.device] == &device) {
            End(handle, removalError);
            handle.queue.clear();
            handle.late.clear();
        }
    }
}

std::vector<std::string> SimulatedHid::Problems(int openDevices) const {
    std::vector<std::string> problems = faults_;
    for (const auto& [id, handle] : handles_) {
        if (handle.kind != Kind::Device)
            problems.push_back("left open, of kind " + std::to_string(int(handle.kind)));
        else if (handle.pending)
            problems.push_back("transfer left pending");
        openDevices -= handle.kind == Kind::Device;
    }
    if (openDevices != 0)
        problems.push_back("device handles open beyond those expected: " +
                           std::to_string(-openDevices));
    return problems;
}

int SimulatedHid::CloseLeftoverEvents() {
    int closed = 0;
    for (auto it = handles_.begin(); it != handles_.end();)
        it = it->second.kind == Kind::Event ? (++closed, handles_.erase(it)) : std::next(it);
    return closed;
}

HANDLE SimulatedHid::NewHandle(Object object) {
    nextHandle_ += 4;
    handles_.emplace(nextHandle_, std::move(object));
    return reinterpret_cast<HANDLE>(nextHandle_);
}

SimulatedHid::Object* SimulatedHid::Find(const void* handle, Kind kind) {
    auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    return it != handles_.end() && it->second.kind == kind ? &it->second : nullptr;
}

BOOL SimulatedHid::Close(const void* handle, Kind kind) {
    if (Find(handle, kind) == nullptr)
        return Misuse("closed what is not open, of kind " + std::to_string(int(kind)));
    handles_.erase(reinterpret_cast<std::uintptr_t>(handle));
    return TRUE;
}

// The device behind an open handle, unless it was unplugged since the handle was opened.
SimulatedDevice* SimulatedHid::Live(Object& handle) {
    SimulatedDevice& device = devices_[handle.device];
    return device.present && device.generation == handle.generation ? &device : nullptr;
}

void SimulatedHid::Complete(OVERLAPPED* overlapped, DWORD error, DWORD transferred) {
    overlapped->Internal = error;  // here the system error itself
    overlapped->InternalHigh = transferred;
    if (Object* event = Find(overlapped->hEvent, Kind::Event))
        event->signalled = true;
}

void SimulatedHid::End(Object& device, DWORD error, DWORD transferred) {
    if (device.pending)
        Complete(device.pending->overlapped, error, transferred);
    device.pending.reset();
}

// Closing a device ends its transfers; their memory must still be alive then.
BOOL SimulatedHid::CloseHandle(HANDLE handle) {
    if (Object* device = Find(handle, Kind::Device))
        End(*device, ERROR_OPERATION_ABORTED);
    for (const auto& [id, object] : handles_) {
        if (object.pending && object.pending->overlapped->hEvent == handle)
            faults_.push_back("event closed with a transfer pending");
    }
    return Close(handle, Find(handle, Kind::Event) ? Kind::Event : Kind::Device);
}

HDEVINFO SimulatedHid::SetupDiGetClassDevsA(const GUID*, DWORD) {
    if (classDevsFail)
        return Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE);
    Object list{Kind::List};
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i].present)
            list.listed.push_back(i);
    }
    return NewHandle(std::move(list));
}

BOOL SimulatedHid::SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID*, DWORD index,
                                               SP_DEVICE_INTERFACE_DATA* data) {
    Object* list = Find(set, Kind::List);
    if (list == nullptr)
        return Misuse("listed a set not open");
    auto fault = enumerationFaults.find(index);
    if (fault != enumerationFaults.end() && fault->second.second != 0) {
        fault->second.second -= fault->second.second > 0;
        return Fail(fault->second.first);
    }
    if (index >= list->listed.size())
        return Fail(ERROR_NO_MORE_ITEMS);
    data->Reserved = list->listed[index];
    return TRUE;
}

BOOL SimulatedHid::SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                    DWORD size, DWORD* requiredSize) {
    if (Find(set, Kind::List) == nullptr)
        return Misuse("detail of a set not open");
    const SimulatedDevice& device = devices_[data->Reserved];
    const DWORD required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                           static_cast<DWORD>(device.path.size()) + 1;
    if (detail == nullptr) {
        *requiredSize = required;
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    if (size < required)
        return Misuse("detail record too small");
    if (device.detailFails)
        return Fail(ERROR_NOT_FOUND);
    std::memcpy(detail->DevicePath, device.path.c_str(), device.path.size() + 1);
    return TRUE;
}

HANDLE SimulatedHid::CreateFileA(const char* path, DWORD, DWORD, DWORD, DWORD) {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        SimulatedDevice& device = devices_[i];
        if (!device.present || device.path != path)
            continue;
        ++device.openCount;
        if (!device.opens)
            return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
        return NewHandle(Object{Kind::Device, i, device.generation});
    }
    return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
}

BOOLEAN SimulatedHid::HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) {
    Object* handle = Find(device, Kind::Device);
    SimulatedDevice* live = handle ? Live(*handle) : nullptr;
    if (live == nullptr || live->attributesFail)
        return Fail<BOOLEAN>(live ? ERROR_GEN_FAILURE : removalError);
    attributes->VendorID = live->vendorId;
    attributes->ProductID = live->productId;
    attributes->VersionNumber = live->versionNumber;
    return TRUE;
}

// An unplugged device's description is still known to the handle; its transfers fail.
BOOLEAN SimulatedHid::HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) {
    Object* handle = Find(device, Kind::Device);
    if (handle == nullptr || devices_[handle->device].preparsedFails)
        return Fail<BOOLEAN>(ERROR_INVALID_HANDLE);
    *data =
        reinterpret_cast<PHIDP_PREPARSED_DATA>(NewHandle(Object{Kind::Preparsed, handle->device}));
    return TRUE;
}

BOOLEAN SimulatedHid::HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) {
    return static_cast<BOOLEAN>(Close(data, Kind::Preparsed));
}

BOOLEAN SimulatedHid::HidD_FlushQueue(HANDLE device) {
    Object* handle = Find(device, Kind::Device);
    if (handle == nullptr || !flushSupported)
        return Fail<BOOLEAN>(ERROR_NOT_SUPPORTED);
    handle->queue.clear();
    return TRUE;
}

NTSTATUS SimulatedHid::HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) {
    Object* preparsed = Find(data, Kind::Preparsed);
    if (preparsed == nullptr)
        return Misuse<NTSTATUS>("capabilities of data not held",
                                HIDP_STATUS_INVALID_PREPARSED_DATA);
    const SimulatedDevice& device = devices_[preparsed->device];
    if (device.capsFail)
        return HIDP_STATUS_INVALID_PREPARSED_DATA;
    *caps = HIDP_CAPS{};
    caps->UsagePage = 0xFF00;
    caps->InputReportByteLength = device.inputLength;
    caps->OutputReportByteLength = device.outputLength;
    return HIDP_STATUS_SUCCESS;
}

NTSTATUS SimulatedHid::HidP_SetUsages(HIDP_REPORT_TYPE, USAGE, USHORT, USAGE*, ULONG*,
                                      PHIDP_PREPARSED_DATA data, char*, ULONG) {
    Object* preparsed = Find(data, Kind::Preparsed);
    return preparsed ? devices_[preparsed->device].gate
                     : Misuse<NTSTATUS>("usage gate of data not held",
                                        HIDP_STATUS_INVALID_PREPARSED_DATA);
}

HANDLE SimulatedHid::CreateEventA(BOOL, BOOL initialState, const char*) {
    Object event{Kind::Event};
    event.signalled = initialState != FALSE;
    return NewHandle(std::move(event));
}

BOOL SimulatedHid::ResetEvent(HANDLE event) {
    Object* object = Find(event, Kind::Event);
    if (object == nullptr)
        return Misuse("reset of an event not open");
    object->signalled = false;
    return TRUE;
}

// A transfer waited for is where the device vanishes, and a read waited for at least as long
// as the answer takes gets the answer.
DWORD SimulatedHid::WaitForSingleObject(HANDLE event, DWORD milliseconds) {
    for (auto& [id, handle] : handles_) {
        if (!handle.pending || handle.pending->overlapped->hEvent != event || milliseconds == 0)
            continue;
        SimulatedDevice& device = devices_[handle.device];
        const bool read = handle.pending->buffer != nullptr;
        if (device.vanish == (read ? Vanish::DuringRead : Vanish::DuringWrite)) {
            Unplug(device);
        } else if (read && !handle.late.empty() && device.answerDelayMs <= milliseconds) {
            std::memcpy(handle.pending->buffer, handle.late.data(), handle.late.size());
            End(handle, 0, static_cast<DWORD>(handle.late.size()));
            handle.late.clear();
        }
    }
    Object* object = Find(event, Kind::Event);
    if (object == nullptr)
        return Misuse<DWORD>("wait on an event not open", WAIT_FAILED);
    return object->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

void SimulatedHid::Answer(Object& handle, const SimulatedDevice& device) {
    using A = SimulatedDevice::Answer;
    if (device.answer == A::Silent)
        return;
    const char judged = device.answer == A::Yes  ? 'Y'
                        : device.answer == A::No ? 'N'
                                                 : static_cast<char>(device.answerByte);
    const std::string body = device.answer == A::Version ? "\x02\x05" + device.versionText + "\x03"
                                                         : std::string(2, '\0') + judged;
    Report answer(device.inputLength, 0);
    for (std::size_t i = 0; i < body.size() && i + 1 < answer.size(); ++i)
        answer[i + 1] = static_cast<std::uint8_t>(body[i]);
    if (device.answerDelayMs > 0)
        handle.late = answer;
    else
        handle.queue.push_back(answer);
}

// What every read and write checks first: the device still plugged in behind `device`, or
// null with the last error set.
SimulatedDevice* SimulatedHid::BeginTransfer(HANDLE device, Object** handle) {
    *handle = Find(device, Kind::Device);
    if (*handle == nullptr)
        return Misuse<SimulatedDevice*>("transfer on a handle not open", nullptr);
    if ((*handle)->pending)
        faults_.push_back("transfer started while another is pending");
    SimulatedDevice* live = Live(**handle);
    lastError_ = live ? lastError_ : removalError;
    return live;
}

BOOL SimulatedHid::WriteFile(HANDLE device, const void* data, DWORD size, DWORD*,
                             OVERLAPPED* overlapped) {
    Object* handle = nullptr;
    SimulatedDevice* live = BeginTransfer(device, &handle);
    if (live == nullptr)
        return FALSE;
    if (size != live->outputLength)
        return Misuse("write of " + std::to_string(size) + " bytes");
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    live->writes.emplace_back(bytes, bytes + size);
    lastError_ = ERROR_IO_PENDING;
    if (live->stallWrites || live->vanish == Vanish::DuringWrite) {
        handle->pending = Transfer{overlapped, nullptr};
    } else if (live->failWith != 0) {
        Complete(overlapped, live->failWith, 0);
    } else {
        Complete(overlapped, 0, size - std::min(size, live->shortBy));
        if (live->vanish != Vanish::DuringRead)  // gone before it answers
            Answer(*handle, *live);
    }
    return FALSE;
}

BOOL SimulatedHid::ReadFile(HANDLE device, void* buffer, DWORD size, DWORD*,
                            OVERLAPPED* overlapped) {
    Object* handle = nullptr;
    SimulatedDevice* live = BeginTransfer(device, &handle);
    if (live == nullptr)
        return FALSE;
    if (size != live->inputLength)
        return Misuse("read of " + std::to_string(size) + " bytes");
    if (handle->queue.empty()) {
        handle->pending = Transfer{overlapped, static_cast<std::uint8_t*>(buffer)};
        return Fail(ERROR_IO_PENDING);
    }
    const Report& report = handle->queue.front();
    std::memcpy(buffer, report.data(), std::min<std::size_t>(size, report.size()));
    Complete(overlapped, 0, size - std::min(size, live->shortBy));
    handle->queue.pop_front();
    return TRUE;
}

BOOL SimulatedHid::CancelIo(HANDLE device) {
    Object* handle = Find(device, Kind::Device);
    if (handle == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (devices_[handle->device].ignoresCancel)
        return TRUE;
    End(*handle, ERROR_OPERATION_ABORTED);
    // The reader answers only now that the read has given up; the system keeps the report.
    if (!handle->late.empty())
        handle->queue.push_back(std::exchange(handle->late, {}));
    return TRUE;
}

BOOL SimulatedHid::GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                                       BOOL wait) {
    Object* handle = Find(device, Kind::Device);
    if (handle == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (handle->pending && handle->pending->overlapped == overlapped) {
        if (wait)
            faults_.push_back("waited without end for a transfer that never completes");
        return Fail(ERROR_IO_INCOMPLETE);
    }
    *transferred = static_cast<DWORD>(overlapped->InternalHigh);
    return overlapped->Internal == 0 ? TRUE : Fail(static_cast<DWORD>(overlapped->Internal));
}
