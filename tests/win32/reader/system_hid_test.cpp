// Find Device over the system's own HID stack. Under Wine that lists Wine's virtual mouse
// and keyboard (vendor 0x845E): the search must open and skip both.
#include <algorithm>
#include <set>

#include "app/settings_dialog.h"
#include "reader/hid_api.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

// Passes every call on to the system and notes the devices the search identifies.
class WatchedSystemHid : public reader::HidApi {
public:
    WatchedSystemHid() : system_(reader::CurrentHidApi()) { reader::SetHidApi(this); }
    ~WatchedSystemHid() override { reader::SetHidApi(nullptr); }

    std::vector<USHORT> vendors;
    std::set<HANDLE> open;

    void HidD_GetHidGuid(GUID* g) override { system_.HidD_GetHidGuid(g); }
    HDEVINFO SetupDiGetClassDevsA(const GUID* g, DWORD f) override {
        return system_.SetupDiGetClassDevsA(g, f);
    }
    BOOL SetupDiEnumDeviceInterfaces(HDEVINFO s, const GUID* g, DWORD i,
                                     SP_DEVICE_INTERFACE_DATA* d) override {
        return system_.SetupDiEnumDeviceInterfaces(s, g, i, d);
    }
    BOOL SetupDiGetDeviceInterfaceDetailA(HDEVINFO s, SP_DEVICE_INTERFACE_DATA* d,
                                          SP_DEVICE_INTERFACE_DETAIL_DATA_A* dd, DWORD n,
                                          DWORD* r) override {
        return system_.SetupDiGetDeviceInterfaceDetailA(s, d, dd, n, r);
    }
    BOOL SetupDiDestroyDeviceInfoList(HDEVINFO s) override {
        return system_.SetupDiDestroyDeviceInfoList(s);
    }
    HANDLE CreateFileA(const char* p, DWORD a, DWORD s, DWORD d, DWORD f) override {
        HANDLE h = system_.CreateFileA(p, a, s, d, f);
        if (h != INVALID_HANDLE_VALUE)
            open.insert(h);
        return h;
    }
    BOOLEAN HidD_GetAttributes(HANDLE h, HIDD_ATTRIBUTES* a) override {
        const BOOLEAN ok = system_.HidD_GetAttributes(h, a);
        if (ok)
            vendors.push_back(a->VendorID);
        return ok;
    }
    BOOLEAN HidD_GetPreparsedData(HANDLE h, PHIDP_PREPARSED_DATA* d) override {
        return system_.HidD_GetPreparsedData(h, d);
    }
    BOOLEAN HidD_FreePreparsedData(PHIDP_PREPARSED_DATA d) override {
        return system_.HidD_FreePreparsedData(d);
    }
    BOOLEAN HidD_FlushQueue(HANDLE h) override { return system_.HidD_FlushQueue(h); }
    NTSTATUS HidP_GetCaps(PHIDP_PREPARSED_DATA d, HIDP_CAPS* c) override {
        return system_.HidP_GetCaps(d, c);
    }
    NTSTATUS HidP_SetUsages(HIDP_REPORT_TYPE t, USAGE p, USHORT c, USAGE* u, ULONG* n,
                            PHIDP_PREPARSED_DATA d, char* r, ULONG l) override {
        return system_.HidP_SetUsages(t, p, c, u, n, d, r, l);
    }
    HANDLE CreateEventA(BOOL m, BOOL i, const char* n) override {
        return system_.CreateEventA(m, i, n);
    }
    BOOL ResetEvent(HANDLE e) override { return system_.ResetEvent(e); }
    BOOL WriteFile(HANDLE h, const void* d, DWORD n, DWORD* w, OVERLAPPED* o) override {
        return system_.WriteFile(h, d, n, w, o);
    }
    BOOL ReadFile(HANDLE h, void* b, DWORD n, DWORD* r, OVERLAPPED* o) override {
        return system_.ReadFile(h, b, n, r, o);
    }
    DWORD WaitForSingleObject(HANDLE h, DWORD ms) override {
        return system_.WaitForSingleObject(h, ms);
    }
    BOOL CancelIo(HANDLE h) override { return system_.CancelIo(h); }
    BOOL GetOverlappedResult(HANDLE h, OVERLAPPED* o, DWORD* n, BOOL w) override {
        return system_.GetOverlappedResult(h, o, n, w);
    }
    BOOL CloseHandle(HANDLE h) override {
        open.erase(h);
        return system_.CloseHandle(h);
    }
    DWORD GetLastError() override { return system_.GetLastError(); }
    void SetLastError(DWORD e) override { system_.SetLastError(e); }

private:
    reader::HidApi& system_;
};

TEST(SystemHid, FindWalksTheHostsDevicesAndFindsNoReader) {
    WatchedSystemHid hid;
    Timeline timeline;
    SettingsDialog dialog;
    HWND hwnd = dialog.Create();
    ASSERT_NE(hwnd, nullptr);
    PumpMessages();
    timeline.WatchStatus(hwnd);

    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"No device connected!")}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));
    // Wine lists its own mouse and keyboard; both were opened, identified and closed again.
    EXPECT_GE(std::count(hid.vendors.begin(), hid.vendors.end(), 0x845E), 2);
    EXPECT_TRUE(hid.open.empty());

    // The walk can be run again: nothing of the first one is in the way.
    timeline.entries.clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries.back(), Status(L"No device connected!"));
    EXPECT_TRUE(hid.open.empty());
}

}  // namespace
