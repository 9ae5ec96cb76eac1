// A simulated HID host behind the reader's HID seam: device interfaces, the reader among them
// or not, and the faults a real host can show. Waits never block. Argument checks are left to
// the real stack (the end-to-end tests); noted here is what no real host reports: a handle
// closed twice or never opened, an event closed or a transfer started while a transfer is
// pending, a wait without end, and anything left held (Problems).
#pragma once

#include <cstdint>
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
    USHORT vendorId = 0, productId = 0, versionNumber = 0x0100;
    USHORT outputLength = 65, inputLength = 65;
    // Calls that fail for this device; `opens` false: held exclusively, not opened.
    bool opens = true, detailFails = false, attributesFail = false, preparsedFails = false,
         capsFail = false;
    NTSTATUS gate = HIDP_STATUS_SUCCESS;  // what HidP_SetUsages answers

    // Answers to a report: byte 3 'Y', 'N' or answerByte; 00 02 05 text 03; or none.
    enum class Answer { Yes, No, Byte, Version, Silent };
    Answer answer = Answer::Yes;
    std::uint8_t answerByte = 'X';
    std::string versionText;
    // The answer comes this long after its read starts; one that the read gave up on before
    // comes when the read is cancelled, and the system keeps it.
    DWORD answerDelayMs = 0;
    bool stallWrites = false;    // a write never completes until it is cancelled
    bool ignoresCancel = false;  // nor then
    DWORD shortBy = 0;           // transfers end well but move this much less
    DWORD failWith = 0;          // writes end with this error; the device stays
    // Pulled out while its next write or read is waited for (once).
    enum class Vanish { Never, DuringWrite, DuringRead };
    Vanish vanish = Vanish::Never;

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
    SimulatedDevice& AddDevice(USHORT vendorId, USHORT productId);
    SimulatedDevice& AddReader() { return AddDevice(0x5131, 0x2007); }
    void AddWineDevices();  // Wine's own mouse and keyboard: input reports only
    // Transfers pending on the device end with `removalError`, later ones fail with it:
    // ERROR_DEVICE_NOT_CONNECTED on Windows, ERROR_ACCESS_DENIED (delete pending) on Wine.
    void Unplug(SimulatedDevice& device);
    void PlugBackIn(SimulatedDevice& device) { device.present = true; }

    bool classDevsFail = false;
    std::map<DWORD, std::pair<DWORD, int>> enumerationFaults;  // index: error, times (-1: all)
    bool flushSupported = false;  // HidD_FlushQueue works on Windows, not under Wine 8.0
    DWORD removalError = ERROR_DEVICE_NOT_CONNECTED;

    // Misuse noted so far, and what is still held but `openDevices` device handles.
    std::vector<std::string> Problems(int openDevices = 0) const;
    int CloseLeftoverEvents();  // says how many there were

    void HidD_GetHidGuid(GUID* guid) override { *guid = GUID{}; }
    HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override { return Close(set, Kind::List); }
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                       DWORD flags) override;
    BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override;
    BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override;
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override;
    BOOLEAN HidD_FlushQueue(HANDLE device) override;
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override;
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE, USAGE, USHORT, USAGE*, ULONG*,
                            PHIDP_PREPARSED_DATA data, char*, ULONG) override;
    HANDLE CreateEventA(BOOL, BOOL initialState, const char*) override;
    BOOL ResetEvent(HANDLE event) override;
    BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD*,
                   OVERLAPPED* overlapped) override;
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD*, OVERLAPPED* overlapped) override;
    DWORD WaitForSingleObject(HANDLE event, DWORD milliseconds) override;
    BOOL CancelIo(HANDLE device) override;
    BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                             BOOL wait) override;
    BOOL CloseHandle(HANDLE handle) override;
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
        std::size_t device = 0;           // Device, Preparsed
        int generation = 0;               // Device
        std::vector<std::size_t> listed;  // List: the devices present when listed
        std::deque<Report> queue;         // Device: input reports waiting to be read
        std::optional<Transfer> pending;  // Device
        Report late;                      // Device: an answer not yet come
        bool signalled = false;           // Event
    };

    HANDLE NewHandle(Object object);
    Object* Find(const void* handle, Kind kind);
    BOOL Close(const void* handle, Kind kind);
    SimulatedDevice* Live(Object& device);
    SimulatedDevice* BeginTransfer(HANDLE device, Object** handle);
    void Complete(OVERLAPPED* overlapped, DWORD error, DWORD transferred);
    void End(Object& device, DWORD error, DWORD transferred = 0);  // its pending transfer
    void Answer(Object& handle, const SimulatedDevice& device);
    template <typename Result = BOOL>
    Result Fail(DWORD error, Result result = FALSE) {
        lastError_ = error;
        return result;
    }
    template <typename Result = BOOL>
    Result Misuse(const std::string& what, Result result = FALSE) {
        faults_.push_back(what);
        return Fail(ERROR_INVALID_HANDLE, result);
    }

    std::deque<SimulatedDevice> devices_;
    std::map<std::uintptr_t, Object> handles_;  // preparsed data among them
    std::vector<std::string> faults_;
    std::uintptr_t nextHandle_ = 0x1000;
    DWORD lastError_ = 0;
    reader::HidApi* previous_;
};
