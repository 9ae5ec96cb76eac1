/* Waits until at least `readers` virtual card readers are present among the HID interfaces,
 * or, with "absent", until fewer are.
 *   vrwait [present|absent] [timeout in ms, default 10000] [readers, default 1]
 * Exit code 0 when the wait ended as asked, 1 on timeout. */
#include <windows.h>
#include <setupapi.h>
#include <hidsdi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* Whether one interface of `set` is the reader. */
static int is_reader(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* entry) {
    char buffer[1024];
    SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail = (SP_DEVICE_INTERFACE_DETAIL_DATA_A*)buffer;
    HIDD_ATTRIBUTES attributes = {0};
    HANDLE device;
    int found = 0;

    attributes.Size = sizeof(attributes);
    detail->cbSize = sizeof(*detail);
    if (!SetupDiGetDeviceInterfaceDetailA(set, entry, detail, sizeof(buffer), NULL, NULL))
        return 0;
    device = CreateFileA(detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                         OPEN_EXISTING, 0, NULL);
    if (device == INVALID_HANDLE_VALUE)
        return 0;
    if (HidD_GetAttributes(device, &attributes))
        found = attributes.VendorID == 0x5131 && attributes.ProductID == 0x2007;
    CloseHandle(device);
    return found;
}

static int readers_present(void) {
    GUID hid;
    HDEVINFO set;
    SP_DEVICE_INTERFACE_DATA entry = {0};
    DWORD index;
    int found = 0;

    entry.cbSize = sizeof(entry);
    HidD_GetHidGuid(&hid);
    set = SetupDiGetClassDevsA(&hid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return 0;
    for (index = 0; SetupDiEnumDeviceInterfaces(set, NULL, &hid, index, &entry); ++index)
        found += is_reader(set, &entry);
    SetupDiDestroyDeviceInfoList(set);
    return found;
}

int main(int argc, char** argv) {
    const int want_present = argc < 2 || strcmp(argv[1], "absent") != 0;
    const DWORD timeout = argc > 2 ? (DWORD)strtoul(argv[2], NULL, 10) : 10000;
    const int readers = argc > 3 ? atoi(argv[3]) : 1;
    const DWORD start = GetTickCount();
    for (;;) {
        if ((readers_present() >= readers) == want_present)
            return 0;
        if (GetTickCount() - start >= timeout)
            break;
        Sleep(100);
    }
    fprintf(stderr, "vrwait: %s %d reader(s) still after %lu ms\n",
            want_present ? "fewer than" : "at least", readers, timeout);
    return 1;
}
