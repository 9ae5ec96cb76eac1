// A simulated HID host behind the reader's HID seam: any number of device interfaces, the
// reader among them or not, and the faults a real host can show. Waits never block. Every
// misuse is noted in faults(): a handle closed twice or never opened, an event closed with
// a transfer pending, an overlapped record reused while pending, unexpected arguments.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "reader/hid_api.h"

using Report = std::vector<std::uint8_t>;

struct SimulatedDevice {
    std::string path;
    USHORT vendorId = 0x845E;
    USHORT productId = 0x0001;
    USHORT versionNumber = 0x0100;
    USHORT outputLength = 65;
    USHORT inputLength = 65;

    bool opens = true;  // false: held exclusively, CreateFileA is refused
    bool detailFails = false;
    bool attributesFail = false;
    bool preparsedFails = false;
    bool capsFail = false;
    NTSTATUS gate = HIDP_STATUS_SUCCESS;  // what HidP_SetUsages answers

    // How the device answers each output report.
    enum class Answer { Yes, No, Byte, Version, Raw, Silent };
    Answer answer = Answer::Yes;
    std::uint8_t answerByte = 'X';  // Answer::Byte: byte 3 of the answer
    std::string versionText;        // Answer::Version: 00 02 05 text 03
    Report raw;                     // Answer::Raw: the answer from byte 0, cut to the length
    bool stallWrites = false;       // a write never completes until it is cancelled
    bool answerLate = false;        // the answer comes only after the read was cancelled
    DWORD answerDelayMs = 0;        // the answer comes this long after the read starts
    DWORD shortBy = 0;              // writes and reads end well but move this much less
    DWORD failWith = 0;             // writes end with this error; the device stays
    // The reader is pulled out while its next write or read is pending (once).
    enum class Vanish { Never, DuringWrite, DuringRead };
    Vanish vanish = Vanish::Never;
    bool ignoresCancel = false;  // a cancelled transfer never completes

    // What happened to it.
    std::vector<Report> writes;
    std::vector<DWORD> readSizes;
    int openCount = 0;

    bool present = true;  // kept by the host
    int generation = 0;  // handles of an earlier generation belong to an unplugged device
};

class SimulatedHid : public reader::HidApi {
public:
    SimulatedHid();
    ~SimulatedHid() override;
    SimulatedHid(const SimulatedHid&) = delete;
    SimulatedHid& operator=(const SimulatedHid&) = delete;

    // Listed in the order they are added; references stay valid.
    SimulatedDevice& AddDevice(USHORT vendorId, USHORT productId);
    SimulatedDevice& AddReader(USHORT versionNumber = 0x0100);
    // Wine's own mouse and keyboard: vendor 0x845E, input reports only.
    void AddWineDevices();

    void Unplug(SimulatedDevice& device);
    void PlugBackIn(SimulatedDevice& device);

    bool classDevsFail = false;  // the device list cannot be had at all
    // Enumeration at `index` fails `times` times (-1: always) with `error`.
    void FailEnumeration(DWORD index, DWORD error, int times);
    bool flushSupported = false;  // HidD_FlushQueue works on Windows, not under Wine 8.0
    // The error that transfers of an unplugged device end with, pending or started later:
    // ERROR_DEVICE_NOT_CONNECTED on Windows, ERROR_ACCESS_DENIED (delete pending) on Wine.
    DWORD removalError = ERROR_DEVICE_NOT_CONNECTED;

    int enumerationCalls() const { return enumerationCalls_; }
    int openHandles() const { return static_cast<int>(handles_.size()); }
    int preparsedOutstanding() const { return static_cast<int>(preparsed_.size()); }
    // Misuse noted so far, plus anything still held that should have been released
    // (handles other than `expectedOpenDevices` device handles, preparsed data, pending I/O).
    std::vector<std::string> Problems(int expectedOpenDevices = 0) const;
    const std::vector<std::string>& faults() const { return faults_; }
    // Closes the events still open and says how many there were.
    int CloseLeftoverEvents();

    // reader::HidApi
    void HidD_GetHidGuid(GUID* guid) override;
    HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override;
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override;
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override;
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override;
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                       DWORD flags) override;
    BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override;
    BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override;
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override;
    BOOLEAN HidD_FlushQueue(HANDLE device) override;
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override;
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, USHORT collection,
                            USAGE* usages, ULONG* usageCount, PHIDP_PREPARSED_DATA data,
                            char* report, ULONG reportLength) override;
    HANDLE CreateEventA(BOOL manualReset, BOOL initialState, const char* name) override;
    BOOL ResetEvent(HANDLE event) override;
    BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD* written,
                   OVERLAPPED* overlapped) override;
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read,
                  OVERLAPPED* overlapped) override;
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override;
    BOOL CancelIo(HANDLE device) override;
    BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                             BOOL wait) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD GetLastError() override { return lastError_; }
    void SetLastError(DWORD error) override { lastError_ = error; }

private:
    struct Transfer {
        OVERLAPPED* overlapped;
        bool read;
        std::uint8_t* buffer;
        DWORD size;
    };
    struct Object {
        enum class Kind { DeviceInfoSet, Device, Event };
        explicit Object(Kind k) : kind(k) {}
        Kind kind;
        std::vector<std::size_t> listed;  // DeviceInfoSet: the devices present when listed
        std::size_t device = 0;           // Device
        int generation = 0;               // Device
        std::deque<Report> queue;         // Device: input reports waiting to be read
        std::vector<Transfer> pending;    // Device
        bool written = false;             // Device: a write came since the last read
        Report lateAnswer;                // Device: comes after lateDelayMs or when cancelled
        DWORD lateDelayMs = INFINITE;     // Device
        bool signalled = false;           // Event
    };
    struct EnumerationFault {
        DWORD error;
        int times;
    };

    HANDLE NewHandle(Object object);
    Object* Find(HANDLE handle, Object::Kind kind);
    SimulatedDevice* Live(Object& device);
    SimulatedDevice* BeginTransfer(HANDLE device, OVERLAPPED* overlapped, const char* verb,
                                   Object** handle);
    void Signal(HANDLE event);
    void Complete(OVERLAPPED* overlapped, DWORD status, DWORD transferred);
    void Answer(Object& handle, SimulatedDevice& device);
    void DeliverLateAnswer(HANDLE event, DWORD milliseconds);
    void Fault(const std::string& what) { faults_.push_back(what); }
    template <typename Result = BOOL>
    Result Fail(DWORD error, Result result = FALSE) {
        lastError_ = error;
        return result;
    }
    template <typename Result = BOOL>
    Result Misuse(const std::string& what, DWORD error, Result result = FALSE) {
        Fault(what);
        return Fail(error, result);
    }

    std::deque<SimulatedDevice> devices_;
    std::map<DWORD, EnumerationFault> enumerationFaults_;
    std::map<std::uintptr_t, Object> handles_;
    std::map<PHIDP_PREPARSED_DATA, std::size_t> preparsed_;
    std::vector<std::string> faults_;
    std::uintptr_t nextHandle_ = 0x1000;
    int enumerationCalls_ = 0;
    DWORD lastError_ = 0;
    reader::HidApi* previous_;
};
