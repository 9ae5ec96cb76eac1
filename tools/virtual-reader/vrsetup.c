/* Installs or removes the virtual card reader in the current Wine prefix.
 *   vrsetup install <full path of zp350vr.inf>
 *   vrsetup remove
 * The device is root-enumerated with a fixed instance id, so the reader's HID device path
 * is the same at every install. Exit code 0 on success. */
#include <windows.h>
#include <setupapi.h>
#include <newdev.h>
#include <stdio.h>
#include <string.h>

static const char instance_id[] = "ROOT\\VID_5131&PID_2007\\0000";
static const char hardware_ids[] = "root\\zp350vr\0"; /* a list: ends with two zeros */
static const GUID system_class = {
    0x4d36e97d, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

static int fail(const char* what) {
    fprintf(stderr, "vrsetup: %s failed (error %lu)\n", what, GetLastError());
    return 1;
}

/* Registers the device; an instance that is already registered is reused. */
static int register_device(void) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(&system_class, NULL);
    SP_DEVINFO_DATA device = {0};
    device.cbSize = sizeof(device);
    int result = 0;
    if (set == INVALID_HANDLE_VALUE)
        return fail("SetupDiCreateDeviceInfoList");
    if (!SetupDiCreateDeviceInfoA(set, instance_id, &system_class, NULL, NULL, 0, &device)) {
        if (GetLastError() != ERROR_DEVINST_ALREADY_EXISTS)
            result = fail("SetupDiCreateDeviceInfo");
    } else if (!SetupDiSetDeviceRegistryPropertyA(set, &device, SPDRP_HARDWAREID,
                                                  (const BYTE*)hardware_ids,
                                                  sizeof(hardware_ids))) {
        result = fail("setting the hardware id");
    } else if (!SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device)) {
        result = fail("DIF_REGISTERDEVICE");
    }
    SetupDiDestroyDeviceInfoList(set);
    return result;
}

static int install(const char* inf) {
    BOOL reboot = FALSE;
    if (register_device() != 0)
        return 1;
    if (!UpdateDriverForPlugAndPlayDevicesA(NULL, hardware_ids, inf, INSTALLFLAG_FORCE, &reboot))
        return fail("UpdateDriverForPlugAndPlayDevices");
    return 0;
}

static int uninstall(void) {
    HDEVINFO set = SetupDiCreateDeviceInfoList(NULL, NULL);
    SP_DEVINFO_DATA device = {0};
    device.cbSize = sizeof(device);
    int result = 0;
    if (set == INVALID_HANDLE_VALUE)
        return fail("SetupDiCreateDeviceInfoList");
    if (!SetupDiOpenDeviceInfoA(set, instance_id, NULL, 0, &device))
        result = fail("SetupDiOpenDeviceInfo");
    else if (!SetupDiCallClassInstaller(DIF_REMOVE, set, &device))
        result = fail("DIF_REMOVE");
    SetupDiDestroyDeviceInfoList(set);
    return result;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "install") == 0)
        return install(argv[2]);
    if (argc == 2 && strcmp(argv[1], "remove") == 0)
        return uninstall();
    fprintf(stderr, "usage: vrsetup install <inf> | vrsetup remove\n");
    return 2;
}
