// A simulated HID host behind the reader's HID seam: device interfaces, the reader among them
// or not, and the faults a real host can show. Waits never block: the host's clock moves on
// by the time a wait would have taken. Noted (Problems) is misuse
// no real host reports: a handle closed twice or never opened, an event closed or a transfer
// started while one is pending, a report of the wrong length, a wait without end, leaks.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "reader/hid_api.h"

using Report = std::vector<std::uint8_t>;

struct SimulatedDevice {
    std::string path;
    USHORT vendorId = 0x5131, productId = 0x2007, versionNumber = 0x0100;
    USHORT outputLength = 65, inputLength = 65;
    std::set<std::string> fails;          // calls failing: open detail attributes preparsed caps
    NTSTATUS gate = HIDP_STATUS_SUCCESS;  // what HidP_SetUsages answers
    std::string answer{"\0\0Y", 3};       // to each report, after the report id ("": none)
    int answers = 1;                      // reports sent in answer to each report
    DWORD answerDelayMs = 0;  // after its read starts; or, kept, when a read that gave up ends
    bool stallWrites = false, ignoresCancel = false;  // writes end only when cancelled; or never
    DWORD shortBy = 0;                                // transfers end well but move less
    bool present = true, vanishInWrite = false, vanishInRead = false;  // pulled out when waited
    std::vector<Report> writes;
};

class SimulatedHid : public reader::HidApi {
public:
    // Listed in the order they are added; references stay valid.
    SimulatedDevice& AddDevice(USHORT vendorId, USHORT productId) {
        SimulatedDevice& device = devices_.emplace_back();
        device.vendorId = vendorId;
        device.productId = productId;
        device.path = "\\\\?\\hid#" + std::to_string(devices_.size());
        return device;
    }
    SimulatedDevice& AddReader() { return AddDevice(0x5131, 0x2007); }
    // Its transfers end, and later calls fail, with Windows' error for a removed device.
    void Unplug(SimulatedDevice& device) {
        device.present = device.vanishInWrite = device.vanishInRead = false;
        for (auto& [id, handle] : handles_)
            if (handle.kind == Kind::Device && &Of(&handle) == &device) {
                handle.gone = true;
                handle.queue.clear();
                handle.late.clear();
                End(handle, kGone);
            }
    }

    bool classDevsFail = false;
    ULONGLONG now = 1000;  // the host's clock, in milliseconds
    // Named mutexes another program holds: for how many milliseconds more (INFINITE: for
    // good); `abandoned`: its holder ends without giving it back. `turnsTaken`: how often
    // this program took one.
    std::map<std::string, DWORD> heldElsewhere;
    std::set<std::string> abandoned;
    std::set<std::string> madeByAnotherAccount;  // created refused, opened for waiting
    int turnsTaken = 0;
    int eventsMade = 0;  // events created, one per exchange
    // Called at every wait for a transfer: what the window shows meanwhile.
    std::function<void()> duringWait;
    std::map<DWORD, int> enumerationFaults;  // index: times it fails (-1: always)

    // Misuse so far, and what is held or pending beyond `devices` devices and `events` events.
    std::string Problems(int devices = 0, int events = 0) const {
        int held[6] = {0, -devices, -events, 0, 0, 0};  // lists devices events preparsed
        for (const auto& [id, handle] : handles_) {     // mutexes, and transfers
            ++held[int(handle.kind)];
            held[5] += handle.pending != nullptr;
        }
        std::string counts;
        for (int count : held)
            counts += " " + std::to_string(count);
        return faults_ + (counts == " 0 0 0 0 0 0" ? "" : "held beyond those expected:" + counts);
    }

    void HidD_GetHidGuid(GUID* guid) override { *guid = GUID{}; }
    HDEVINFO SetupDiGetClassDevsA(const GUID*, DWORD) override {
        return classDevsFail ? Fail(ERROR_INVALID_PARAMETER, INVALID_HANDLE_VALUE)
                             : New({Kind::List});
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO, const GUID*, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        if (int& faults = enumerationFaults[index]; faults != 0) {
            faults -= faults > 0;
            return Fail(ERROR_INVALID_DATA);
        }
        std::size_t i = 0;  // the present device at `index`
        while (i < devices_.size() && (!devices_[i].present || index-- > 0))
            ++i;
        return (data->Reserved = i) < devices_.size() ? TRUE : Fail(ERROR_NO_MORE_ITEMS);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override {
        const SimulatedDevice& device = devices_[data->Reserved];
        const DWORD required = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath) +
                               static_cast<DWORD>(device.path.size()) + 1;
        if (detail == nullptr) {
            *requiredSize = required;
            return Fail(ERROR_INSUFFICIENT_BUFFER);
        }
        if (size < required || device.fails.count("detail"))
            return Fail(ERROR_NOT_FOUND);
        std::copy_n(device.path.c_str(), device.path.size() + 1, detail->DevicePath);
        return TRUE;
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override { return Close(set, Kind::List); }
    HANDLE CreateFileA(const char* path, DWORD, DWORD, DWORD, DWORD) override {
        for (std::size_t i = 0; i < devices_.size(); ++i)
            if (devices_[i].present && devices_[i].path == path)
                return devices_[i].fails.count("open")
                           ? Fail(ERROR_ACCESS_DENIED, INVALID_HANDLE_VALUE)
                           : New({Kind::Device, i});
        return Fail(ERROR_FILE_NOT_FOUND, INVALID_HANDLE_VALUE);
    }
    BOOLEAN HidD_GetAttributes(HANDLE handle, HIDD_ATTRIBUTES* attributes) override {
        Object* device = Find(handle, Kind::Device);
        if (device == nullptr || device->gone || Of(device).fails.count("attributes"))
            return Fail<BOOLEAN>(device && !device->gone ? ERROR_GEN_FAILURE : kGone);
        const SimulatedDevice& d = Of(device);
        *attributes = {sizeof(*attributes), d.vendorId, d.productId, d.versionNumber};
        return TRUE;
    }
    // An unplugged device's description is still known to the handle; its transfers fail.
    BOOLEAN HidD_GetPreparsedData(HANDLE handle, PHIDP_PREPARSED_DATA* data) override {
        Object* device = Find(handle, Kind::Device);
        if (device == nullptr || Of(device).fails.count("preparsed"))
            return Fail<BOOLEAN>(ERROR_INVALID_HANDLE);
        *data = static_cast<PHIDP_PREPARSED_DATA>(New({Kind::Preparsed, device->device}));
        return TRUE;
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        return static_cast<BOOLEAN>(Close(data, Kind::Preparsed));
    }
    // As Wine's: reports waiting stay, and must be read away.
    BOOLEAN HidD_FlushQueue(HANDLE) override { return TRUE; }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override {
        Object* preparsed = Find(data, Kind::Preparsed);
        if (preparsed == nullptr || Of(preparsed).fails.count("caps"))
            return HIDP_STATUS_INVALID_PREPARSED_DATA;
        *caps = HIDP_CAPS{};
        caps->InputReportByteLength = Of(preparsed).inputLength;
        caps->OutputReportByteLength = Of(preparsed).outputLength;
        return HIDP_STATUS_SUCCESS;
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE, USAGE, USHORT, USAGE*, ULONG*,
                            PHIDP_PREPARSED_DATA data, char*, ULONG) override {
        Object* preparsed = Find(data, Kind::Preparsed);
        return preparsed ? Of(preparsed).gate : HIDP_STATUS_INVALID_PREPARSED_DATA;
    }
    // Events are signalled unless a transfer of theirs is pending (the system resets them).
    HANDLE CreateEventA(BOOL, BOOL, const char*) override {
        ++eventsMade;
        return New({Kind::Event});
    }
    BOOL ResetEvent(HANDLE) override { return TRUE; }
    HANDLE CreateMutexA(const char* name) override {
        if (madeByAnotherAccount.count(name))
            return Fail<HANDLE>(ERROR_ACCESS_DENIED, nullptr);
        return OpenMutexA(name);
    }
    HANDLE OpenMutexA(const char* name) override {
        Object mutex{Kind::Mutex};
        mutex.name = name;
        return New(std::move(mutex));
    }
    BOOL ReleaseMutex(HANDLE handle) override {
        Object* mutex = Find(handle, Kind::Mutex);
        if (mutex == nullptr || !mutex->owned)
            return Misuse("released a mutex not owned");
        mutex->owned = false;
        return TRUE;
    }
    BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD*, OVERLAPPED* io) override {
        return Start(device, size, io, nullptr, static_cast<const std::uint8_t*>(data));
    }
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD*, OVERLAPPED* io) override {
        return Start(device, size, io, static_cast<std::uint8_t*>(buffer), nullptr);
    }
    // A transfer waited for is where the device vanishes, and a read waited for (in one wait
    // or several) at least as long as the answer takes gets it.
    DWORD WaitForSingleObject(HANDLE event, DWORD milliseconds) override {
        if (Object* mutex = Find(event, Kind::Mutex))
            return TakeTurn(*mutex, milliseconds);
        if (duringWait)
            duringWait();
        Object* device = PendingOn(event);
        const DWORD delay = device ? Of(device).answerDelayMs : 0;
        if (device && milliseconds > 0 &&
            (device->buffer ? Of(device).vanishInRead : Of(device).vanishInWrite)) {
            Unplug(Of(device));
        } else if (device && !device->late.empty() && delay <= device->waited + milliseconds) {
            std::copy(device->late.begin(), device->late.end(), device->buffer);
            End(*device, 0, static_cast<DWORD>(std::exchange(device->late, {}).size()));
            now += delay - device->waited;
        }
        if (device && device->pending) {
            now += milliseconds;
            device->waited += milliseconds;
            return WAIT_TIMEOUT;
        }
        return WAIT_OBJECT_0;
    }
    BOOL CancelIo(HANDLE handle) override {
        Object* device = Find(handle, Kind::Device);
        if (device == nullptr || Of(device).ignoresCancel)
            return device != nullptr;
        End(*device, ERROR_OPERATION_ABORTED);
        // The reader answers only now that the read has given up; the system keeps the report.
        if (!device->late.empty())
            device->queue.push_back(std::exchange(device->late, {}));
        return TRUE;
    }
    BOOL GetOverlappedResult(HANDLE handle, OVERLAPPED* overlapped, DWORD* transferred,
                             BOOL wait) override {
        Object* device = Find(handle, Kind::Device);
        if (device != nullptr && device->pending == overlapped) {
            if (wait)
                faults_ += "waited without end for a transfer that never ends; ";
            return Fail(ERROR_IO_INCOMPLETE);
        }
        *transferred = static_cast<DWORD>(overlapped->InternalHigh);
        return overlapped->Internal == 0 ? TRUE : Fail(static_cast<DWORD>(overlapped->Internal));
    }
    // Closing a device ends its transfer, whose memory must still be alive then.
    BOOL CloseHandle(HANDLE handle) override {
        if (Object* device = Find(handle, Kind::Device))
            End(*device, ERROR_OPERATION_ABORTED);
        else if (Object* mutex = Find(handle, Kind::Mutex); mutex && mutex->owned)
            faults_ += "mutex closed while owned; ";
        else if (PendingOn(handle) != nullptr)
            faults_ += "event closed with a transfer pending; ";
        const Kind kind = Find(handle, Kind::Event)   ? Kind::Event
                          : Find(handle, Kind::Mutex) ? Kind::Mutex
                                                      : Kind::Device;
        return Close(handle, kind);
    }
    ULONGLONG GetTickCount64() override { return now; }
    DWORD GetLastError() override { return lastError_; }
    void SetLastError(DWORD error) override { lastError_ = error; }

private:
    static constexpr DWORD kGone = ERROR_DEVICE_NOT_CONNECTED;
    enum class Kind { List, Device, Event, Preparsed, Mutex };
    struct Object {
        Kind kind;
        std::size_t device = 0;          // Device, Preparsed
        bool gone = false;               // Device: pulled out since it was opened
        OVERLAPPED* pending = nullptr;   // Device: the transfer under way,
        std::uint8_t* buffer = nullptr;  // and its buffer if it is a read
        std::deque<Report> queue{};      // Device: input reports waiting to be read
        Report late{};                   // Device: an answer not yet come,
        DWORD waited = 0;                // and how long it has been waited for
        std::string name{};              // Mutex: its name,
        bool owned = false;              // and whether this program owns it
    };

    HANDLE New(Object object) {
        next_ += 4;
        handles_.emplace(next_, std::move(object));
        return reinterpret_cast<HANDLE>(next_);
    }
    Object* Find(const void* handle, Kind kind) {
        auto it = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it != handles_.end() && it->second.kind == kind ? &it->second : nullptr;
    }
    SimulatedDevice& Of(const Object* object) { return devices_[object->device]; }
    // Another program's hold runs out while it is waited for; a mutex taken twice is misuse.
    DWORD TakeTurn(Object& mutex, DWORD milliseconds) {
        if (mutex.owned)
            Misuse("mutex taken again by its owner");
        auto other = heldElsewhere.find(mutex.name);
        if (other != heldElsewhere.end() && other->second > 0) {
            const DWORD waited = std::min(other->second, milliseconds);
            now += waited;
            if (other->second != INFINITE)
                other->second -= waited;
            if (other->second > 0)
                return WAIT_TIMEOUT;
        }
        mutex.owned = true;
        ++turnsTaken;
        return abandoned.erase(mutex.name) ? WAIT_ABANDONED : WAIT_OBJECT_0;
    }
    Object* PendingOn(HANDLE event) {  // the device whose pending transfer signals `event`
        for (auto& [id, object] : handles_)
            if (object.pending && object.pending->hEvent == event)
                return &object;
        return nullptr;
    }
    BOOL Close(const void* handle, Kind kind) {
        return Find(handle, kind)
                   ? handles_.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0
                   : Misuse("closed what is not open, of kind " + std::to_string(int(kind)));
    }
    // A write is taken at once and answered, unless it stalls or the device vanishes during
    // it; a read takes the oldest report waiting, or waits for one.
    BOOL Start(HANDLE handle, DWORD size, OVERLAPPED* overlapped, std::uint8_t* buffer,
               const std::uint8_t* data) {
        Object* device = Find(handle, Kind::Device);
        if (device == nullptr || device->pending)
            return Misuse("transfer on a handle not open or busy");
        SimulatedDevice& live = Of(device);
        if (device->gone)
            return Fail(kGone);
        if (size != (buffer ? live.inputLength : live.outputLength))
            return Misuse("transfer of " + std::to_string(size));
        device->pending = overlapped;
        device->buffer = buffer;
        const DWORD moved = size - std::min(size, live.shortBy);
        if (buffer && !device->queue.empty()) {
            std::copy(device->queue.front().begin(), device->queue.front().end(), buffer);
            device->queue.pop_front();
            End(*device, 0, moved);
            return TRUE;
        }
        if (!buffer)
            live.writes.emplace_back(data, data + size);
        if (!buffer && !live.stallWrites && !live.vanishInWrite) {
            End(*device, 0, moved);
            if (!live.answer.empty() && !live.vanishInRead) {  // else gone first
                Report answer(1, 0);                           // the report id, the answer, zeros
                answer.insert(answer.end(), live.answer.begin(), live.answer.end());
                answer.resize(live.inputLength);
                if (live.answerDelayMs > 0)
                    device->late = answer;
                for (int i = 0; i < live.answers && live.answerDelayMs == 0; ++i)
                    device->queue.push_back(answer);
                device->waited = 0;
            }
        }
        return Fail(ERROR_IO_PENDING);
    }
    void End(Object& device, DWORD error, DWORD transferred = 0) {  // its pending transfer
        if (OVERLAPPED* overlapped = std::exchange(device.pending, nullptr)) {
            overlapped->Internal = error;
            overlapped->InternalHigh = transferred;
        }
    }
    template <typename Result = BOOL>
    Result Fail(DWORD error, Result result = FALSE) {
        lastError_ = error;
        return result;
    }
    BOOL Misuse(const std::string& what) {
        faults_ += what + "; ";
        return Fail(ERROR_INVALID_PARAMETER);
    }

    std::deque<SimulatedDevice> devices_;
    std::map<std::uintptr_t, Object> handles_;
    std::string faults_;
    std::uintptr_t next_ = 0x1000;
    DWORD lastError_ = 0;
    fw::Seam<reader::HidApi>::Substitute installed_{reader::HidSeam(), *this};
};
