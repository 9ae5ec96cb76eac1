#include "reader/hid_api.h"

namespace reader {
namespace {

// The system's functions, passed straight through.
class SystemHidApi : public HidApi {
public:
    void HidD_GetHidGuid(GUID* guid) override { ::HidD_GetHidGuid(guid); }
    HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) override {
        return ::SetupDiGetClassDevsA(guid, nullptr, nullptr, flags);
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                     SP_DEVICE_INTERFACE_DATA* data) override {
        return ::SetupDiEnumDeviceInterfaces(set, nullptr, guid, index, data);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail, DWORD size,
                                          DWORD* requiredSize) override {
        return ::SetupDiGetDeviceInterfaceDetailA(set, data, detail, size, requiredSize, nullptr);
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) override {
        return ::SetupDiDestroyDeviceInfoList(set);
    }
    HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                       DWORD flags) override {
        return ::CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
    }
    BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) override {
        return ::HidD_GetAttributes(device, attributes);
    }
    BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) override {
        return ::HidD_GetPreparsedData(device, data);
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) override {
        return ::HidD_FreePreparsedData(data);
    }
    BOOLEAN HidD_FlushQueue(HANDLE device) override { return ::HidD_FlushQueue(device); }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) override {
        return ::HidP_GetCaps(data, caps);
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, USHORT collection,
                            USAGE* usages, ULONG* usageCount, PHIDP_PREPARSED_DATA data,
                            char* report, ULONG reportLength) override {
        return ::HidP_SetUsages(type, usagePage, collection, usages, usageCount, data, report,
                                reportLength);
    }
    HANDLE CreateEventA(BOOL manualReset, BOOL initialState, const char* name) override {
        return ::CreateEventA(nullptr, manualReset, initialState, name);
    }
    BOOL ResetEvent(HANDLE event) override { return ::ResetEvent(event); }
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
    DWORD GetLastError() override { return ::GetLastError(); }
    void SetLastError(DWORD error) override { ::SetLastError(error); }
};

SystemHidApi g_system;
HidApi* g_current = &g_system;

}  // namespace

HidApi& CurrentHidApi() {
    return *g_current;
}

HidApi* SetHidApi(HidApi* api) {
    HidApi* previous = g_current;
    g_current = api != nullptr ? api : &g_system;
    return previous;
}

}  // namespace reader
