/* Installs or removes a virtual card reader in the current Wine prefix.
 *   vrsetup install <full path of zp350vr.inf> [instance]
 *   vrsetup remove [instance]
 * Each reader is a root-enumerated device with a fixed instance id, ROOT\VID_5131&PID_2007\
 * followed by the instance (four digits, default 0000), so its HID device path is the same
 * at every install. Its steering values live in that device's own "Device Parameters" key,
 * which the install creates. Exit code 0 on success. */
#include <windows.h>
#include <setupapi.h>
#include <newdev.h>
#include <stdio.h>
#include <string.h>

static char instance_id[64];
static const char hardware_ids[] = "root\\zp350vr\0"; /* a list: ends with two zeros */
static const GUID system_class = {
    0x4d36e97d, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

static int fail(const char* what) {
    fprintf(stderr, "vrsetup: %s failed (error %lu)\n", what, GetLastError());
    return 1;
}

/* The device's own key, where the driver reads its steering values. */
static int create_parameters_key(HDEVINFO set, SP_DEVINFO_DATA* device) {
    HKEY key = SetupDiCreateDevRegKeyA(set, device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, NULL, NULL);
    if (key == INVALID_HANDLE_VALUE)
        return fail("creating the device's key");
    RegCloseKey(key);
    return 0;
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
        else if (!SetupDiOpenDeviceInfoA(set, instance_id, NULL, 0, &device))
            result = fail("SetupDiOpenDeviceInfo");
        else
            result = create_parameters_key(set, &device);
    } else if (!SetupDiSetDeviceRegistryPropertyA(set, &device, SPDRP_HARDWAREID,
                                                  (const BYTE*)hardware_ids,
                                                  sizeof(hardware_ids))) {
        result = fail("setting the hardware id");
    } else if (!SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device)) {
        result = fail("DIF_REGISTERDEVICE");
    } else {
        result = create_parameters_key(set, &device);
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

/* The instance id for an instance argument of four digits (none: 0000). */
static int choose_instance(int argc, char** argv, int at) {
    const char* instance = argc > at ? argv[at] : "0000";
    if (argc > at + 1 || strlen(instance) != 4 || strspn(instance, "0123456789") != 4)
        return 0;
    snprintf(instance_id, sizeof(instance_id), "ROOT\\VID_5131&PID_2007\\%s", instance);
    return 1;
}

int main(int argc, char** argv) {
    if (argc >= 3 && strcmp(argv[1], "install") == 0 && choose_instance(argc, argv, 3))
        return install(argv[2]);
    if (argc >= 2 && strcmp(argv[1], "remove") == 0 && choose_instance(argc, argv, 2))
        return uninstall();
    fprintf(stderr, "usage: vrsetup install <inf> [nnnn] | vrsetup remove [nnnn]\n");
    return 2;
}
