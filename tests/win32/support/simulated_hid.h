// A simulated HID host behind the reader's HID seam: device interfaces, the reader among them
// or not, and the faults a real host can show. Waits never block. Arguments are left to the
// real stack (the end-to-end tests) to check; noted here is what no real host reports: a
// handle closed twice or never opened, an event closed or a transfer started while a transfer
// is pending, a wait without end, and anything left held (Problems).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "reader/hid_api.h"

using Report = std::vector<std::uint8_t>;

struct SimulatedDevice {
    std::string path;
    USHORT vendorId = 0x5131, productId = 0x2007, versionNumber = 0x0100;
    USHORT outputLength = 65, inputLength = 65;
    // Calls that fail for this device; `opens` false: held exclusively, not opened.
    bool opens = true, detailFails = false, attributesFail = false, preparsedFails = false,
         capsFail = false;
    NTSTATUS gate = HIDP_STATUS_SUCCESS;  // what HidP_SetUsages answers
    // Answers to a report: byte 3 'Y', 'N' or answerByte; 00 02 05 text 03; or none.
    enum class Answer { Yes, No, Byte, Version, Silent } answer = Answer::Yes;
    std::uint8_t answerByte = 'X';
    std::string versionText;
    // The answer comes this long after its read starts; one that the read gave up on comes
    // when the read is cancelled, and the system keeps it.
    DWORD answerDelayMs = 0;
    bool stallWrites = false;    // a write never completes until it is cancelled
    bool ignoresCancel = false;  // nor then
    DWORD shortBy = 0;           // transfers end well but move this much less
    // Pulled out while its next write or read is waited for (once).
    enum class Vanish { Never, DuringWrite, DuringRead } vanish = Vanish::Never;

    std::vector<Report> writes;
    int openCount = 0;
    bool present = true;
    int generation = 0;  // handles of an earlier generation belong to an unplugged device
};

class SimulatedHid : public reader::HidApi {
public:
    SimulatedHid() : previous_(reader::SetHidApi(this)) {}
    ~SimulatedHid() override { reader::SetHidApi(previous_); }
    SimulatedHid(const SimulatedHid&) = delete;
    SimulatedHid& operator=(const SimulatedHid&) = delete;

    // Listed in the order they are added; references stay valid.
    SimulatedDevice& AddDevice(USHORT vendorId, USHORT productId) {
        SimulatedDevice& device = devices_.emplace_back();
        device.vendorId = vendorId;
        device.productId = productId;
        device.path = "\\\\?\\hid#" + std::to_string(devices_.size());
        return device;
    }
    SimulatedDevice& AddReader() { return AddDevice(0x5131, 0x2007); }
    void AddWineDevices() {  // Wine's own mouse and keyboard: input reports only
        for (USHORT product : {1, 2}) {
            SimulatedDevice& device = AddDevice(0x845E, product);
            device.outputLength = 0;
            device.inputLength = product == 1 ? 2 : 14;
        }
    }
    // Transfers pending on the device end with `removalError`, later ones fail with it:
    // ERROR_DEVICE_NOT_CONNECTED on Windows, ERROR_ACCESS_DENIED (delete pending) on Wine.
    void Unplug(SimulatedDevice& device) {
        device.present = false;
        device.vanish = SimulatedDevice::Vanish::Never;
        ++device.generation;
        for (auto& [id, handle] : handles_) {
            if (handle.kind == Kind::Device && &devices_[handle.device] == &device) {
                End(handle, removalError);
                handle.queue.clear();
                handle.late.clear();
            }
        }
    }
    void PlugBackIn(SimulatedDevice& device) { device.present = true; }

    bool classDevsFail = false;
    std::map<DWORD, std::pair<DWORD, int>> enumerationFaults;  // index: error, times (-1: all)
    bool flushSupported = false;  // HidD_FlushQueue works on Windows, not under Wine 8.0
    DWORD removalError = ERROR_DEVICE_NOT_CONNECTED;

    // Misuse noted so far, and what is still held but `openDevices` device handles.
    std::vector<std::string> Problems(int openDevices = 0) const {
        std::vector<std::string> problems = faults_;
        for (const auto& [id, handle] : handles_) {
            if (handle.kind != Kind::Device || handle.pending)
                problems.push_back("held: kind " + std::to_string(int(handle.kind)));
            openDevices -= handle.kind == Kind::Device;
        }
        if (openDevices != 0)
            problems.push_back("device handles open beyond those expected: " +
                               std::to_string(-openDevices));
        return problems;
    }
    int CloseLeftoverEvents() {  // says how many there were
        int closed = 0;
        for (auto it = handles_.begin(); it != handles_.end();)
            it = it->second.kind == Kind::Event ? (++closed, handles_.erase(it)) : std::next(it);
        return closed;
    }

    void HidD_GetHidGuid(GUID* guid) override { *guid = GUID{}; }
    HDEVINFO SetupDiGetClassDevsA(const GUID*, DWORD) override {
        return classDevsFail ? Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE)
                             : NewHandle(Object(Kind::List));
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO, const GUID*, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        auto fault = enumerationFaults.find(index);
        if (fault != enumerationFaults.end() && fault->second.second != 0) {
            fault->second.second -= fault->second.second > 0;
            return Fail(fault->second.first);
        }
        std::size_t i = 0;  // the present device at `index`
        while (i < devices_.size() && (!devices_[i].present || index-- > 0))
            ++i;
        data->Reserved = i;
        return i < devices_.size() ? TRUE : Fail(ERROR_NO_MORE_ITEMS);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override {
        const std::string& path = devices_[data->Reserved].path;
        const DWORD required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                               static_cast<DWORD>(path.size()) + 1;
        if (detail == nullptr) {
            *requiredSize = required;
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        }
        if (size < required || devices_[data->Reserved].detailFails)
            return Fail(ERROR_NOT_FOUND);
        std::memcpy(detail->DevicePath, path.c_str(), path.size() + 1);
        return TRUE;
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override { return Close(set, Kind::List); }
    HANDLE CreateFileA(const char* path, DWORD, DWORD, DWORD, DWORD) override {
        for (std::size_t i = 0; i < devices_.size(); ++i) {
            SimulatedDevice& device = devices_[i];
            if (!device.present || device.path != path)
                continue;
            ++device.openCount;
            if (!device.opens)
                return Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE);
            return NewHandle(Object(Kind::Device, i, device.generation));
        }
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override {
        const SimulatedDevice* live = Live(device);
        if (live == nullptr || live->attributesFail)
            return Fail<BOOLEAN>(live ? ERROR_GEN_FAILURE : removalError);
        attributes->VendorID = live->vendorId;
        attributes->ProductID = live->productId;
        attributes->VersionNumber = live->versionNumber;
        return TRUE;
    }
    // An unplugged device's description is still known to the handle; its transfers fail.
    BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override {
        Object* handle = Find(device, Kind::Device);
        if (handle == nullptr || devices_[handle->device].preparsedFails)
            return Fail<BOOLEAN>(ERROR_INVALID_HANDLE);
        *data =
            static_cast<PHIDP_PREPARSED_DATA>(NewHandle(Object(Kind::Preparsed, handle->device)));
        return TRUE;
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        return static_cast<BOOLEAN>(Close(data, Kind::Preparsed));
    }
    BOOLEAN HidD_FlushQueue(HANDLE device) override {
        Object* handle = Find(device, Kind::Device);
        if (handle == nullptr || !flushSupported)
            return Fail<BOOLEAN>(ERROR_NOT_SUPPORTED);
        handle->queue.clear();
        return TRUE;
    }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override {
        const SimulatedDevice* device = Described(data);
        if (device == nullptr || device->capsFail)
            return HIDP_STATUS_INVALID_PREPARSED_DATA;
        *caps = HIDP_CAPS{};
        caps->InputReportByteLength = device->inputLength;
        caps->OutputReportByteLength = device->outputLength;
        return HIDP_STATUS_SUCCESS;
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE, USAGE, USHORT, USAGE*, ULONG*,
                            PHIDP_PREPARSED_DATA data, char*, ULONG) override {
        const SimulatedDevice* device = Described(data);
        return device ? device->gate : HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    // Every transfer resets its event first: how it starts does not matter.
    HANDLE CreateEventA(BOOL, BOOL, const char*) override { return NewHandle(Object(Kind::Event)); }
    BOOL ResetEvent(HANDLE event) override {
        if (Object* object = Find(event, Kind::Event))
            object->signalled = false;
        return TRUE;
    }
    BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD*,
                   OVERLAPPED* overlapped) override {
        Object* handle = nullptr;
        SimulatedDevice* live = BeginTransfer(device, size, false, &handle);
        if (live == nullptr)
            return FALSE;
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        live->writes.emplace_back(bytes, bytes + size);
        lastError_ = ERROR_IO_PENDING;
        if (live->stallWrites || live->vanish == SimulatedDevice::Vanish::DuringWrite) {
            handle->pending = Transfer{overlapped, nullptr};
        } else {
            Complete(overlapped, 0, size - std::min(size, live->shortBy));
            if (live->vanish != SimulatedDevice::Vanish::DuringRead)  // gone before it answers
                Answer(*handle, *live);
        }
        return FALSE;
    }
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD*,
                  OVERLAPPED* overlapped) override {
        Object* handle = nullptr;
        SimulatedDevice* live = BeginTransfer(device, size, true, &handle);
        if (live == nullptr)
            return FALSE;
        if (handle->queue.empty()) {
            handle->pending = Transfer{overlapped, static_cast<std::uint8_t*>(buffer)};
            return Fail(ERROR_IO_PENDING);
        }
        std::copy(handle->queue.front().begin(), handle->queue.front().end(),
                  static_cast<std::uint8_t*>(buffer));
        Complete(overlapped, 0, size - std::min(size, live->shortBy));
        handle->queue.pop_front();
        return TRUE;
    }
    // A transfer waited for is where the device vanishes, and a read waited for at least as
    // long as the answer takes gets it.
    DWORD WaitForSingleObject(HANDLE event, DWORD milliseconds) override {
        for (auto& [id, handle] : handles_) {
            if (!handle.pending || handle.pending->overlapped->hEvent != event || milliseconds == 0)
                continue;
            SimulatedDevice& device = devices_[handle.device];
            const bool read = handle.pending->buffer != nullptr;
            using Vanish = SimulatedDevice::Vanish;
            if (device.vanish == (read ? Vanish::DuringRead : Vanish::DuringWrite)) {
                Unplug(device);
            } else if (read && !handle.late.empty() && device.answerDelayMs <= milliseconds) {
                std::copy(handle.late.begin(), handle.late.end(), handle.pending->buffer);
                End(handle, 0, static_cast<DWORD>(handle.late.size()));
                handle.late.clear();
            }
        }
        const Object* object = Find(event, Kind::Event);
        return object && object->signalled ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
    }
    BOOL CancelIo(HANDLE device) override {
        Object* handle = Find(device, Kind::Device);
        if (handle == nullptr || devices_[handle->device].ignoresCancel)
            return handle != nullptr;
        End(*handle, ERROR_OPERATION_ABORTED);
        // The reader answers only now that the read has given up; the system keeps the report.
        if (!handle->late.empty())
            handle->queue.push_back(std::exchange(handle->late, {}));
        return TRUE;
    }
    BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                             BOOL wait) override {
        Object* handle = Find(device, Kind::Device);
        if (handle != nullptr && handle->pending && handle->pending->overlapped == overlapped) {
            if (wait)
                faults_.push_back("waited without end for a transfer that never completes");
            return Fail(ERROR_IO_INCOMPLETE);
        }
        *transferred = static_cast<DWORD>(overlapped->InternalHigh);
        return overlapped->Internal == 0 ? TRUE : Fail(static_cast<DWORD>(overlapped->Internal));
    }
    // Closing a device ends its transfers; their memory must still be alive then.
    BOOL CloseHandle(HANDLE handle) override {
        if (Object* device = Find(handle, Kind::Device))
            End(*device, ERROR_OPERATION_ABORTED);
        for (const auto& [id, object] : handles_) {
            if (object.pending && object.pending->overlapped->hEvent == handle)
                faults_.push_back("event closed with a transfer pending");
        }
        return Close(handle, Find(handle, Kind::Event) ? Kind::Event : Kind::Device);
    }
    DWORD GetLastError() override { return lastError_; }
    void SetLastError(DWORD error) override { lastError_ = error; }

private:
    enum class Kind { List, Device, Event, Preparsed };
    struct Transfer {
        OVERLAPPED* overlapped;
        std::uint8_t* buffer;  // null for a write
    };
    struct Object {
        explicit Object(Kind k, std::size_t d = 0, int g = 0) : kind(k), device(d), generation(g) {}
        Kind kind;
        std::size_t device;               // Device, Preparsed
        int generation;                   // Device
        std::deque<Report> queue;         // Device: input reports waiting to be read
        std::optional<Transfer> pending;  // Device
        Report late;                      // Device: an answer not yet come
        bool signalled = false;           // Event
    };

    HANDLE NewHandle(Object object) {
        handles_.emplace(nextHandle_ += 4, std::move(object));
        return reinterpret_cast<HANDLE>(nextHandle_);
    }
    Object* Find(const void* handle, Kind kind) {
        auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it != handles_.end() && it->second.kind == kind ? &it->second : nullptr;
    }
    BOOL Close(const void* handle, Kind kind) {
        if (Find(handle, kind) == nullptr)
            return Misuse("closed what is not open, of kind " + std::to_string(int(kind)));
        handles_.erase(reinterpret_cast<std::uintptr_t>(handle));
        return TRUE;
    }
    // The device behind an open handle, unless it was unplugged since the handle was opened.
    SimulatedDevice* Live(HANDLE device) {
        Object* handle = Find(device, Kind::Device);
        SimulatedDevice* live = handle ? &devices_[handle->device] : nullptr;
        return live && live->present && live->generation == handle->generation ? live : nullptr;
    }
    const SimulatedDevice* Described(PHIDP_PREPARSED_DATA data) {
        Object* preparsed = Find(data, Kind::Preparsed);
        return preparsed ? &devices_[preparsed->device] : nullptr;
    }
    // What every read and write checks first: the device still plugged in behind `device`,
    // or null with the last error set.
    SimulatedDevice* BeginTransfer(HANDLE device, DWORD size, bool read, Object** handle) {
        *handle = Find(device, Kind::Device);
        if (*handle == nullptr || (*handle)->pending)
            return Misuse<SimulatedDevice*>("transfer on a handle not open or busy", nullptr);
        SimulatedDevice* live = Live(device);
        if (live && size != (read ? live->inputLength : live->outputLength))
            return Misuse<SimulatedDevice*>("transfer of " + std::to_string(size), nullptr);
        lastError_ = removalError;
        return live;
    }
    void Complete(OVERLAPPED* overlapped, DWORD error, DWORD transferred) {
        overlapped->Internal = error;  // here the system error itself
        overlapped->InternalHigh = transferred;
        if (Object* event = Find(overlapped->hEvent, Kind::Event))
            event->signalled = true;
    }
    void End(Object& device, DWORD error, DWORD transferred = 0) {  // its pending transfer
        if (device.pending)
            Complete(device.pending->overlapped, error, transferred);
        device.pending.reset();
    }
    void Answer(Object& handle, const SimulatedDevice& device) {
        using A = SimulatedDevice::Answer;
        if (device.answer == A::Silent)
            return;
        const char judged = device.answer == A::Yes  ? 'Y'
                            : device.answer == A::No ? 'N'
                                                     : static_cast<char>(device.answerByte);
        const std::string body = device.answer == A::Version
                                     ? "\x02\x05" + device.versionText + "\x03"
                                     : std::string(2, '\0') + judged;
        Report answer(device.inputLength, 0);
        for (std::size_t i = 0; i < body.size() && i + 1 < answer.size(); ++i)
            answer[i + 1] = static_cast<std::uint8_t>(body[i]);
        (device.answerDelayMs > 0 ? handle.late : handle.queue.emplace_back()) = answer;
    }
    template <typename Result = BOOL>
    Result Fail(DWORD error, Result result = FALSE) {
        lastError_ = error;
        return result;
    }
    template <typename Result = BOOL>
    Result Misuse(const std::string& what, Result result = FALSE) {
        faults_.push_back(what);
        return Fail(ERROR_INVALID_PARAMETER, result);
    }

    std::deque<SimulatedDevice> devices_;
    std::map<std::uintptr_t, Object> handles_;  // preparsed data among them
    std::vector<std::string> faults_;
    std::uintptr_t nextHandle_ = 0x1000;
    DWORD lastError_ = 0;
    reader::HidApi* previous_;
};
