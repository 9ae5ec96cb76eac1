/* The HID minidriver interface of hidclass.sys: the parts a minidriver needs. The
 * cross-compiler ships no hidport.h, and the minidriver request codes in its hidclass.h are
 * not the ones hidclass.sys uses, so both are declared here with their standard layouts. */
#ifndef VREADER_HIDPORT_H
#define VREADER_HIDPORT_H

#include <ddk/wdm.h>

#define VR_HID_CTL(n) CTL_CODE(FILE_DEVICE_KEYBOARD, (n), METHOD_NEITHER, FILE_ANY_ACCESS)
#define VR_IOCTL_GET_DEVICE_DESCRIPTOR VR_HID_CTL(0)
#define VR_IOCTL_GET_REPORT_DESCRIPTOR VR_HID_CTL(1)
#define VR_IOCTL_READ_REPORT VR_HID_CTL(2)
#define VR_IOCTL_WRITE_REPORT VR_HID_CTL(3)
#define VR_IOCTL_GET_STRING VR_HID_CTL(4)
#define VR_IOCTL_ACTIVATE_DEVICE VR_HID_CTL(7)
#define VR_IOCTL_DEACTIVATE_DEVICE VR_HID_CTL(8)
#define VR_IOCTL_GET_DEVICE_ATTRIBUTES VR_HID_CTL(9)

#define VR_HID_STRING_MANUFACTURER 0x000E
#define VR_HID_STRING_PRODUCT 0x000F
#define VR_HID_STRING_SERIAL 0x0010

typedef struct _HID_MINIDRIVER_REGISTRATION {
    ULONG Revision;
    PDRIVER_OBJECT DriverObject;
    PUNICODE_STRING RegistryPath;
    ULONG DeviceExtensionSize;
    BOOLEAN DevicesArePolled;
    UCHAR Reserved[3];
} HID_MINIDRIVER_REGISTRATION;

typedef struct _HID_DEVICE_EXTENSION {
    PDEVICE_OBJECT PhysicalDeviceObject;
    PDEVICE_OBJECT NextDeviceObject;
    PVOID MiniDeviceExtension;
} HID_DEVICE_EXTENSION;

typedef struct _HID_DEVICE_ATTRIBUTES {
    ULONG Size;
    USHORT VendorID;
    USHORT ProductID;
    USHORT VersionNumber;
    USHORT Reserved[11];
} HID_DEVICE_ATTRIBUTES;

#pragma pack(push, 1)
typedef struct _HID_DESCRIPTOR {
    UCHAR bLength;
    UCHAR bDescriptorType;
    USHORT bcdHID;
    UCHAR bCountry;
    UCHAR bNumDescriptors;
    struct {
        UCHAR bReportType;
        USHORT wReportLength;
    } DescriptorList[1];
} HID_DESCRIPTOR;
#pragma pack(pop)

typedef struct _HID_XFER_PACKET {
    PUCHAR reportBuffer;
    ULONG reportBufferLen;
    UCHAR reportId;
} HID_XFER_PACKET;

NTSTATUS NTAPI HidRegisterMinidriver(HID_MINIDRIVER_REGISTRATION* registration);

#endif
