#include "reader/hid_api.h"

#include <sddl.h>

#include "framework/late_bound.h"

// Device setup and HID are needed only when the user looks for the reader: bound then.
#define SETUPAPI(function) LATE_BOUND(L"setupapi.dll", function)
#define HIDDLL(function) LATE_BOUND(L"hid.dll", function)

namespace reader {
namespace {

// What a call answers when its library or function cannot be found.
template <typename Result>
Result Missing(Result failure) {
    ::SetLastError(ERROR_PROC_NOT_FOUND);
    return failure;
}

// The system's functions, passed straight through.
class SystemHidApi : public HidApi {
public:
    void HidD_GetHidGuid(GUID* guid) override {
        auto* get = HIDDLL(HidD_GetHidGuid);
        *guid = GUID{};
        if (get)
            get(guid);
    }
    HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override {
        auto* get = SETUPAPI(SetupDiGetClassDevsA);
        return get ? get(guid, nullptr, nullptr, flags) : Missing(INVALID_HANDLE_VALUE);
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        auto* enumerate = SETUPAPI(SetupDiEnumDeviceInterfaces);
        return enumerate ? enumerate(set, nullptr, guid, index, data) : Missing(FALSE);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override {
        auto* get = SETUPAPI(SetupDiGetDeviceInterfaceDetailA);
        return get ? get(set, data, detail, size, requiredSize, nullptr) : Missing(FALSE);
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
        auto* destroy = SETUPAPI(SetupDiDestroyDeviceInfoList);
        return destroy ? destroy(set) : Missing(FALSE);
    }
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                       DWORD flags) override {
        return ::CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
    }
    BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override {
        auto* get = HIDDLL(HidD_GetAttributes);
        return get ? get(device, attributes) : Missing<BOOLEAN>(FALSE);
    }
    BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override {
        auto* get = HIDDLL(HidD_GetPreparsedData);
        return get ? get(device, data) : Missing<BOOLEAN>(FALSE);
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        auto* release = HIDDLL(HidD_FreePreparsedData);
        return release ? release(data) : Missing<BOOLEAN>(FALSE);
    }
    BOOLEAN HidD_FlushQueue(HANDLE device) override {
        auto* flush = HIDDLL(HidD_FlushQueue);
        return flush ? flush(device) : Missing<BOOLEAN>(FALSE);
    }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override {
        auto* get = HIDDLL(HidP_GetCaps);
        return get ? get(data, caps) : Missing<NTSTATUS>(HIDP_STATUS_NOT_IMPLEMENTED);
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, USHORT collection,
                            USAGE* usages, ULONG* usageCount, PHIDP_PREPARSED_DATA data,
                            char* report, ULONG reportLength) override {
        auto* set = HIDDLL(HidP_SetUsages);
        return set ? set(type, usagePage, collection, usages, usageCount, data, report,
                         reportLength)
                   : Missing<NTSTATUS>(HIDP_STATUS_NOT_IMPLEMENTED);
    }
    HANDLE CreateEventA(BOOL manualReset, BOOL initialState, const char* name) override {
        return ::CreateEventA(nullptr, manualReset, initialState, name);
    }
    BOOL ResetEvent(HANDLE event) override { return ::ResetEvent(event); }
    // Made so that every account may wait for the turn and give it back (SYNCHRONIZE and
    // MUTEX_MODIFY_STATE, all a turn needs), whichever account makes it first: the reader
    // set-up service runs as a local service, and a turn it made with its own default rights
    // would shut the users' programs out of turn-taking. The system and administrators keep
    // full access.
    HANDLE CreateMutexA(const char* name) override {
        auto* convert =
            LATE_BOUND(L"advapi32.dll", ConvertStringSecurityDescriptorToSecurityDescriptorA);
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!convert || !convert("D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                 &descriptor, nullptr))
            return ::CreateMutexA(nullptr, FALSE, name);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
        HANDLE mutex = ::CreateMutexA(&attributes, FALSE, name);
        const DWORD error = ::GetLastError();  // ERROR_ALREADY_EXISTS, ERROR_ACCESS_DENIED
        ::LocalFree(descriptor);
        ::SetLastError(error);
        return mutex;
    }
    HANDLE OpenMutexA(const char* name) override {
        return ::OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name);
    }
    BOOL ReleaseMutex(HANDLE mutex) override { return ::ReleaseMutex(mutex); }
    BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD* written,
                   OVERLAPPED* overlapped) override {
        return ::WriteFile(device, data, size, written, overlapped);
    }
    BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read,
                  OVERLAPPED* overlapped) override {
        return ::ReadFile(device, buffer, size, read, overlapped);
    }
    DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) override {
        return ::WaitForSingleObject(object, milliseconds);
    }
    BOOL CancelIo(HANDLE device) override { return ::CancelIo(device); }
    BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                             BOOL wait) override {
        return ::GetOverlappedResult(device, overlapped, transferred, wait);
    }
    BOOL CloseHandle(HANDLE handle) override { return ::CloseHandle(handle); }
    ULONGLONG GetTickCount64() override { return ::GetTickCount64(); }
    DWORD GetLastError() override { return ::GetLastError(); }
    void SetLastError(DWORD error) override { ::SetLastError(error); }
};

}  // namespace

fw::Seam<HidApi>& HidSeam() {
    static SystemHidApi system;
    static fw::Seam<HidApi> seam(system);
    return seam;
}

HidApi& CurrentHidApi() {
    return HidSeam().Current();
}

}  // namespace reader
