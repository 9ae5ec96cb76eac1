// The one seam between the reader code and the operating system: exactly the device-setup,
// HID and kernel calls that discovery and the report exchange make. Production binds it to
// the real functions; tests put a simulated host in its place.
#pragma once

#include <windows.h>
#include <setupapi.h>
// The HID class header does not declare its functions as C ones for C++ callers.
extern "C" {
#include <hidsdi.h>
}
#include <hidpi.h>

#include "framework/seam.h"

namespace reader {

class HidApi {
public:
    virtual ~HidApi() = default;

    // Device setup: the present interfaces of the HID class.
    virtual void HidD_GetHidGuid(GUID* guid) = 0;
    virtual HDEVINFO SetupDiGetClassDevsA(const GUID* guid, DWORD flags) = 0;
    virtual BOOL SetupDiEnumDeviceInterfaces(HDEVINFO set, const GUID* guid, DWORD index,
                                             SP_DEVICE_INTERFACE_DATA* data) = 0;
    virtual BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data,
                                                  SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail,
                                                  DWORD size, DWORD* requiredSize) = 0;
    virtual BOOL SetupDiDestroyDeviceInfoList(HDEVINFO set) = 0;

    // Opening a device interface for overlapped reading and writing.
    virtual HANDLE CreateFileA(const char* path, DWORD access, DWORD share, DWORD disposition,
                               DWORD flags) = 0;

    // HID class services.
    virtual BOOLEAN HidD_GetAttributes(HANDLE device, HIDD_ATTRIBUTES* attributes) = 0;
    virtual BOOLEAN HidD_GetPreparsedData(HANDLE device, PHIDP_PREPARSED_DATA* data) = 0;
    virtual BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA data) = 0;
    virtual BOOLEAN HidD_FlushQueue(HANDLE device) = 0;
    virtual NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA data, HIDP_CAPS* caps) = 0;
    virtual NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE type, USAGE usagePage, USHORT collection,
                                    USAGE* usages, ULONG* usageCount, PHIDP_PREPARSED_DATA data,
                                    char* report, ULONG reportLength) = 0;

    // Events, mutexes, overlapped I/O and waits.
    virtual HANDLE CreateEventA(BOOL manualReset, BOOL initialState, const char* name) = 0;
    virtual BOOL ResetEvent(HANDLE event) = 0;
    // The named mutex that takes turns at a reader across processes (reader/reader_turn.h):
    // created not owned, or opened when it exists.
    virtual HANDLE CreateMutexA(const char* name) = 0;
    // Opens an existing one for waiting and releasing only: what a mutex made by another
    // account (a service's) may grant where it refuses everything else.
    virtual HANDLE OpenMutexA(const char* name) = 0;
    virtual BOOL ReleaseMutex(HANDLE mutex) = 0;
    virtual BOOL WriteFile(HANDLE device, const void* data, DWORD size, DWORD* written,
                           OVERLAPPED* overlapped) = 0;
    virtual BOOL ReadFile(HANDLE device, void* buffer, DWORD size, DWORD* read,
                          OVERLAPPED* overlapped) = 0;
    virtual DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) = 0;
    virtual BOOL CancelIo(HANDLE device) = 0;
    virtual BOOL GetOverlappedResult(HANDLE device, OVERLAPPED* overlapped, DWORD* transferred,
                                     BOOL wait) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;

    // The time, for the quiet after a timeout.
    virtual ULONGLONG GetTickCount64() = 0;

    virtual DWORD GetLastError() = 0;
    virtual void SetLastError(DWORD error) = 0;
};

// The system's functions unless a substitute is installed (framework/seam.h).
fw::Seam<HidApi>& HidSeam();
// The seam in use.
HidApi& CurrentHidApi();

}  // namespace reader
