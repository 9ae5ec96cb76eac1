/* The virtual card reader: a HID minidriver under hidclass.sys. It presents one HID device
 * with the reader's vendor and product identifiers and 64-byte input and output reports,
 * answers each output report as the device model decides, and hands the answers to the
 * read requests that hidclass keeps outstanding. */
#include "hidport.h"
#include "reader_model.h"
#include "registry.h"

#define VR_VENDOR_ID 0x5131
#define VR_PRODUCT_ID 0x2007
#define VR_VERSION_NUMBER 0x0100
/* Answers that wait for a read request; more are dropped, as a device's buffer would. */
#define VR_PENDING_ANSWERS 8
/* How long a write is held for a removal that does not come before the driver fails it. */
#define VR_MAX_HOLD_MS VR_MAX_DELAY_MS
/* How long removal waits for the driver's threads (longer than any delay or hold). */
#define VR_REMOVE_WAIT_MS (VR_MAX_DELAY_MS + 1000)
/* What a USB stack completes the requests of a device that was pulled out with. */
#define VR_STATUS_GONE STATUS_DEVICE_NOT_CONNECTED

/* One 64-byte input and one 64-byte output report, no report identifiers, vendor page. */
static const UCHAR report_descriptor[] = {
    0x06, 0x00, 0xFF, /* usage page (vendor 0xFF00) */
    0x09, 0x01,       /* usage 1 */
    0xA1, 0x01,       /* collection (application) */
    0x15, 0x00,       /*   logical minimum 0 */
    0x26, 0xFF, 0x00, /*   logical maximum 255 */
    0x75, 0x08,       /*   report size 8 */
    0x95, 0x40,       /*   report count 64 */
    0x09, 0x02,       /*   usage 2 */
    0x81, 0x02,       /*   input (data, variable, absolute) */
    0x95, 0x40,       /*   report count 64 */
    0x09, 0x03,       /*   usage 3 */
    0x91, 0x02,       /*   output (data, variable, absolute) */
    0xC0,             /* end collection */
};

struct vr_device {
    KSPIN_LOCK lock;  /* guards everything below */
    LIST_ENTRY reads; /* read requests waiting for an answer */
    UCHAR answers[VR_PENDING_ANSWERS][VR_REPORT_DATA];
    ULONG answer_count;
    struct vr_state state;
    LONG delayed;       /* threads still running: delayed answers, the hold limit */
    PIRP held;          /* a write held while the reader is being pulled out */
    BOOLEAN unplugging; /* on its way out: nothing is answered, no report is taken */
    BOOLEAN removed;
    HANDLE parameters; /* this reader's own registry key, set once when it is added */
};

struct vr_delayed_answer {
    struct vr_device* device;
    ULONG delay_ms;
    UCHAR data[VR_REPORT_DATA];
};

static struct vr_device* device_of(PDEVICE_OBJECT object) {
    return ((HID_DEVICE_EXTENSION*)object->DeviceExtension)->MiniDeviceExtension;
}

static void copy_bytes(void* to, const void* from, ULONG count) {
    ULONG i;
    for (i = 0; i < count; ++i)
        ((UCHAR*)to)[i] = ((const UCHAR*)from)[i];
}

static NTSTATUS complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static void sleep_ms(ULONG ms) {
    LARGE_INTEGER interval;
    interval.QuadPart = -(LONGLONG)ms * 10000;
    KeDelayExecutionThread(KernelMode, FALSE, &interval);
}

/* --- Read requests and answers ---------------------------------------------------------- */

static void fill_read(PIRP irp, const UCHAR* data) {
    const ULONG room =
        IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.OutputBufferLength;
    const ULONG count = irp->UserBuffer == NULL ? 0 : room < VR_REPORT_DATA ? room : VR_REPORT_DATA;
    copy_bytes(irp->UserBuffer, data, count);
    complete(irp, STATUS_SUCCESS, count);
}

static VOID NTAPI cancel_read(PDEVICE_OBJECT object, PIRP irp) {
    struct vr_device* device = device_of(object);
    KIRQL irql;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KeAcquireSpinLock(&device->lock, &irql);
    RemoveEntryList(&irp->Tail.Overlay.ListEntry);
    KeReleaseSpinLock(&device->lock, irql);
    complete(irp, STATUS_CANCELLED, 0);
}

/* Takes the oldest queued read that can still be completed, or NULL. Called under the lock. */
static PIRP take_read(struct vr_device* device) {
    while (!IsListEmpty(&device->reads)) {
        LIST_ENTRY* entry = RemoveHeadList(&device->reads);
        PIRP irp = CONTAINING_RECORD(entry, IRP, Tail.Overlay.ListEntry);
        if (IoSetCancelRoutine(irp, NULL) != NULL)
            return irp;
        /* Its cancel routine is already running and will unlink it: put it back for that. */
        InitializeListHead(entry);
    }
    return NULL;
}

/* Gives an answer to a waiting read, or keeps it for the next one. */
static void deliver(struct vr_device* device, const UCHAR* data) {
    PIRP irp = NULL;
    KIRQL irql;
    KeAcquireSpinLock(&device->lock, &irql);
    if (!device->removed && !device->unplugging) {
        irp = take_read(device);
        if (irp == NULL && device->answer_count < VR_PENDING_ANSWERS)
            copy_bytes(device->answers[device->answer_count++], data, VR_REPORT_DATA);
    }
    KeReleaseSpinLock(&device->lock, irql);
    if (irp != NULL)
        fill_read(irp, data);
}

static NTSTATUS read_report(struct vr_device* device, PIRP irp) {
    UCHAR data[VR_REPORT_DATA];
    BOOLEAN answered = FALSE;
    ULONG i;
    KIRQL irql;

    KeAcquireSpinLock(&device->lock, &irql);
    if (device->removed) {
        KeReleaseSpinLock(&device->lock, irql);
        return complete(irp, STATUS_DELETE_PENDING, 0);
    }
    if (device->answer_count > 0) {
        copy_bytes(data, device->answers[0], VR_REPORT_DATA);
        for (i = 1; i < device->answer_count; ++i)
            copy_bytes(device->answers[i - 1], device->answers[i], VR_REPORT_DATA);
        --device->answer_count;
        answered = TRUE;
    } else {
        IoMarkIrpPending(irp);
        InsertTailList(&device->reads, &irp->Tail.Overlay.ListEntry);
        IoSetCancelRoutine(irp, cancel_read);
        if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
            RemoveEntryList(&irp->Tail.Overlay.ListEntry);
            KeReleaseSpinLock(&device->lock, irql);
            complete(irp, STATUS_CANCELLED, 0);
            return STATUS_PENDING;
        }
    }
    KeReleaseSpinLock(&device->lock, irql);
    if (answered) {
        fill_read(irp, data);
        return STATUS_SUCCESS;
    }
    return STATUS_PENDING;
}

/* Fails every queued read: hidclass's reader must not wait on a device that goes away. */
static void fail_reads(struct vr_device* device) {
    PIRP irp;
    KIRQL irql;
    for (;;) {
        KeAcquireSpinLock(&device->lock, &irql);
        irp = take_read(device);
        KeReleaseSpinLock(&device->lock, irql);
        if (irp == NULL)
            return;
        complete(irp, STATUS_DELETE_PENDING, 0);
    }
}

/* --- The driver's own threads ------------------------------------------------------------ */

static void count_thread_end(struct vr_device* device) {
    KIRQL irql;
    KeAcquireSpinLock(&device->lock, &irql);
    --device->delayed;
    KeReleaseSpinLock(&device->lock, irql);
}

/* Starts `routine` on a system thread; the caller has already counted it in `delayed`, so that
 * removal waits for it. False (and the count taken back) when no thread can be had. */
static BOOLEAN start_counted_thread(struct vr_device* device, PKSTART_ROUTINE routine,
                                    PVOID context) {
    HANDLE thread;
    if (!NT_SUCCESS(
            PsCreateSystemThread(&thread, THREAD_ALL_ACCESS, NULL, NULL, NULL, routine, context))) {
        count_thread_end(device);
        return FALSE;
    }
    ZwClose(thread);
    return TRUE;
}

static void wait_for_threads(struct vr_device* device) {
    ULONG waited;
    for (waited = 0; waited < VR_REMOVE_WAIT_MS; waited += 10) {
        LONG left;
        KIRQL irql;
        KeAcquireSpinLock(&device->lock, &irql);
        left = device->delayed;
        KeReleaseSpinLock(&device->lock, irql);
        if (left == 0)
            return;
        sleep_ms(10);
    }
}

/* --- Delayed answers -------------------------------------------------------------------- */

static VOID NTAPI delayed_answer_thread(PVOID context) {
    struct vr_delayed_answer* job = context;
    struct vr_device* device = job->device;
    sleep_ms(job->delay_ms);
    deliver(device, job->data);
    ExFreePool(job);
    count_thread_end(device);
    PsTerminateSystemThread(STATUS_SUCCESS);
}

/* Answers after `delay_ms` on a thread of its own; at once when no thread can be had. */
static void deliver_later(struct vr_device* device, const UCHAR* data, ULONG delay_ms) {
    struct vr_delayed_answer* job = ExAllocatePool(NonPagedPool, sizeof(*job));
    KIRQL irql;
    if (job == NULL) {
        deliver(device, data);
        return;
    }
    job->device = device;
    job->delay_ms = delay_ms;
    copy_bytes(job->data, data, VR_REPORT_DATA);
    KeAcquireSpinLock(&device->lock, &irql);
    ++device->delayed;
    KeReleaseSpinLock(&device->lock, irql);
    if (!start_counted_thread(device, delayed_answer_thread, job)) {
        ExFreePool(job);
        deliver(device, data);
    }
}

/* --- Pulling the reader out -------------------------------------------------------------- */

/* Takes the held write; NULL when there is none or its cancel routine completes it. Called
 * under the lock. */
static PIRP take_held(struct vr_device* device) {
    PIRP irp = device->held;
    device->held = NULL;
    if (irp != NULL && IoSetCancelRoutine(irp, NULL) == NULL)
        return NULL;
    return irp;
}

/* Fails the held write, as the requests of a device that is gone fail. */
static void fail_held(struct vr_device* device) {
    PIRP irp;
    KIRQL irql;
    KeAcquireSpinLock(&device->lock, &irql);
    irp = take_held(device);
    KeReleaseSpinLock(&device->lock, irql);
    if (irp != NULL)
        complete(irp, VR_STATUS_GONE, 0);
}

static VOID NTAPI cancel_held(PDEVICE_OBJECT object, PIRP irp) {
    struct vr_device* device = device_of(object);
    KIRQL irql;
    IoReleaseCancelSpinLock(irp->CancelIrql);
    KeAcquireSpinLock(&device->lock, &irql);
    if (device->held == irp)
        device->held = NULL;
    KeReleaseSpinLock(&device->lock, irql);
    complete(irp, STATUS_CANCELLED, 0);
}

/* A held write is failed by the removal; should no removal come, it is failed here after
 * VR_MAX_HOLD_MS, so that no request waits for ever. */
static VOID NTAPI hold_limit_thread(PVOID context) {
    struct vr_device* device = context;
    ULONG waited;
    for (waited = 0; waited < VR_MAX_HOLD_MS; waited += 10) {
        BOOLEAN holding;
        KIRQL irql;
        KeAcquireSpinLock(&device->lock, &irql);
        holding = device->held != NULL;
        KeReleaseSpinLock(&device->lock, irql);
        if (!holding)
            break;
        sleep_ms(10);
    }
    fail_held(device);
    count_thread_end(device);
    PsTerminateSystemThread(STATUS_SUCCESS);
}

/* The reader starts to go, as `how` asks: from now on it answers nothing and takes no report.
 * During the write, this write is held until the removal fails it; during the read, it goes
 * through (`written` bytes) and no answer follows. "Unplugging" in the registry tells the test
 * to remove the device now. */
static NTSTATUS begin_unplug(struct vr_device* device, PIRP irp, int how, ULONG written) {
    NTSTATUS status = VR_STATUS_GONE;
    KIRQL irql;

    KeAcquireSpinLock(&device->lock, &irql);
    device->unplugging = TRUE;
    device->answer_count = 0;
    if (how == VR_UNPLUG_DURING_WRITE && device->held == NULL && !device->removed) {
        IoMarkIrpPending(irp);
        device->held = irp;
        IoSetCancelRoutine(irp, cancel_held);
        status = STATUS_PENDING;
        if (irp->Cancel && IoSetCancelRoutine(irp, NULL) != NULL) {
            device->held = NULL;
            status = STATUS_CANCELLED;
        } else {
            ++device->delayed; /* the hold limit's thread, started below */
        }
    }
    KeReleaseSpinLock(&device->lock, irql);
    vr_report_unplugging(device->parameters, (ULONG)how);

    if (how == VR_UNPLUG_DURING_READ)
        return complete(irp, STATUS_SUCCESS, written);
    if (status == STATUS_PENDING) {
        start_counted_thread(device, hold_limit_thread, device);
        return STATUS_PENDING;
    }
    complete(irp, status, 0);
    return status == STATUS_CANCELLED ? STATUS_PENDING : status;
}

/* --- Output reports --------------------------------------------------------------------- */

static NTSTATUS write_report(struct vr_device* device, PIRP irp) {
    const HID_XFER_PACKET* packet = irp->UserBuffer;
    struct vr_steering steering;
    struct vr_state kept;
    ULONG changes;
    UCHAR answer[VR_REPORT_DATA];
    ULONG length;
    int answers;
    BOOLEAN gone;
    KIRQL irql;

    if (packet == NULL || packet->reportBuffer == NULL)
        return complete(irp, STATUS_INVALID_PARAMETER, 0);
    KeAcquireSpinLock(&device->lock, &irql);
    gone = device->unplugging || device->removed;
    KeReleaseSpinLock(&device->lock, irql);
    if (gone)
        return complete(irp, VR_STATUS_GONE, 0);
    length = packet->reportBufferLen;
    vr_record_report(device->parameters, packet->reportId, packet->reportBuffer, length);
    vr_read_steering(device->parameters, &steering);
    if (steering.unplug != VR_UNPLUG_NONE)
        return begin_unplug(device, irp, steering.unplug, length + 1);
    KeAcquireSpinLock(&device->lock, &irql);
    changes = device->state.changes;
    answers = vr_handle_report(&device->state, &steering, packet->reportBuffer, length, answer);
    kept = device->state;
    KeReleaseSpinLock(&device->lock, irql);
    vr_save_state(device->parameters, &kept);
    vr_save_typed(device->parameters, &kept, kept.changes != changes);
    if (answers) {
        if (steering.delay_ms > 0)
            deliver_later(device, answer, steering.delay_ms);
        else
            deliver(device, answer);
    }
    /* The identifier byte counts, as it does for the caller's write. */
    return complete(irp, STATUS_SUCCESS, length + 1);
}

/* --- Requests from hidclass ------------------------------------------------------------- */

static NTSTATUS copy_out(PIRP irp, const void* data, ULONG size) {
    const ULONG room =
        IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.OutputBufferLength;
    if (irp->UserBuffer == NULL || room < size)
        return complete(irp, STATUS_BUFFER_TOO_SMALL, 0);
    copy_bytes(irp->UserBuffer, data, size);
    return complete(irp, STATUS_SUCCESS, size);
}

static NTSTATUS device_descriptor(PIRP irp) {
    HID_DESCRIPTOR descriptor = {0};
    descriptor.bLength = sizeof(descriptor);
    descriptor.bDescriptorType = 0x21;
    descriptor.bcdHID = 0x0100;
    descriptor.bNumDescriptors = 1;
    descriptor.DescriptorList[0].bReportType = 0x22;
    descriptor.DescriptorList[0].wReportLength = sizeof(report_descriptor);
    return copy_out(irp, &descriptor, sizeof(descriptor));
}

static NTSTATUS device_attributes(PIRP irp) {
    HID_DEVICE_ATTRIBUTES attributes = {0};
    attributes.Size = sizeof(attributes);
    attributes.VendorID = VR_VENDOR_ID;
    attributes.ProductID = VR_PRODUCT_ID;
    attributes.VersionNumber = VR_VERSION_NUMBER;
    return copy_out(irp, &attributes, sizeof(attributes));
}

static NTSTATUS device_string(PIRP irp) {
    static const WCHAR manufacturer[] = L"ZP virtual devices";
    static const WCHAR product[] = L"ZP350 virtual card reader";
    static const WCHAR serial[] = L"0000";
    const ULONG_PTR id =
        (ULONG_PTR)IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.Type3InputBuffer &
        0xFFFF;
    switch (id) {
        case VR_HID_STRING_MANUFACTURER:
            return copy_out(irp, manufacturer, sizeof(manufacturer));
        case VR_HID_STRING_PRODUCT:
            return copy_out(irp, product, sizeof(product));
        case VR_HID_STRING_SERIAL:
            return copy_out(irp, serial, sizeof(serial));
        default:
            return complete(irp, STATUS_INVALID_PARAMETER, 0);
    }
}

static NTSTATUS NTAPI dispatch_ioctl(PDEVICE_OBJECT object, PIRP irp) {
    struct vr_device* device = device_of(object);
    switch (IoGetCurrentIrpStackLocation(irp)->Parameters.DeviceIoControl.IoControlCode) {
        case VR_IOCTL_GET_DEVICE_DESCRIPTOR:
            return device_descriptor(irp);
        case VR_IOCTL_GET_REPORT_DESCRIPTOR:
            return copy_out(irp, report_descriptor, sizeof(report_descriptor));
        case VR_IOCTL_GET_DEVICE_ATTRIBUTES:
            return device_attributes(irp);
        case VR_IOCTL_GET_STRING:
            return device_string(irp);
        case VR_IOCTL_READ_REPORT:
            return read_report(device, irp);
        case VR_IOCTL_WRITE_REPORT:
            return write_report(device, irp);
        case VR_IOCTL_ACTIVATE_DEVICE:
        case VR_IOCTL_DEACTIVATE_DEVICE:
            return complete(irp, STATUS_SUCCESS, 0);
        default:
            return complete(irp, STATUS_NOT_SUPPORTED, 0);
    }
}

/* --- Plug and play, power, driver entry -------------------------------------------------- */

static NTSTATUS pass_down(PDEVICE_OBJECT object, PIRP irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(((HID_DEVICE_EXTENSION*)object->DeviceExtension)->NextDeviceObject, irp);
}

/* The reader is going: nothing more is answered, and no request or thread of ours is left. */
static void stop_device(struct vr_device* device) {
    KIRQL irql;
    KeAcquireSpinLock(&device->lock, &irql);
    device->removed = TRUE;
    device->answer_count = 0;
    KeReleaseSpinLock(&device->lock, irql);
    fail_reads(device);
    fail_held(device);
    wait_for_threads(device);
}

static NTSTATUS NTAPI dispatch_pnp(PDEVICE_OBJECT object, PIRP irp) {
    struct vr_device* device = device_of(object);
    switch (IoGetCurrentIrpStackLocation(irp)->MinorFunction) {
        case IRP_MN_SURPRISE_REMOVAL:
            stop_device(device);
            break;
        case IRP_MN_REMOVE_DEVICE:
            stop_device(device);
            if (device->parameters != NULL)
                ZwClose(device->parameters);
            device->parameters = NULL;
            break;
        case IRP_MN_QUERY_REMOVE_DEVICE:
            fail_reads(device);
            break;
        default:
            break;
    }
    return pass_down(object, irp);
}

static NTSTATUS NTAPI dispatch_power(PDEVICE_OBJECT object, PIRP irp) {
    PoStartNextPowerIrp(irp);
    IoSkipCurrentIrpStackLocation(irp);
    return PoCallDriver(((HID_DEVICE_EXTENSION*)object->DeviceExtension)->NextDeviceObject, irp);
}

static NTSTATUS NTAPI add_device(PDRIVER_OBJECT driver, PDEVICE_OBJECT object) {
    struct vr_device* device = device_of(object);
    (void)driver;
    KeInitializeSpinLock(&device->lock);
    InitializeListHead(&device->reads);
    device->answer_count = 0;
    device->delayed = 0;
    device->held = NULL;
    device->unplugging = FALSE;
    device->removed = FALSE;
    device->parameters =
        vr_open_device_key(((HID_DEVICE_EXTENSION*)object->DeviceExtension)->PhysicalDeviceObject);
    vr_init_state(&device->state);
    vr_save_state(device->parameters, &device->state);
    return STATUS_SUCCESS;
}

static VOID NTAPI driver_unload(PDRIVER_OBJECT driver) {
    (void)driver;
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registry_path) {
    HID_MINIDRIVER_REGISTRATION registration = {0};

    driver->MajorFunction[IRP_MJ_PNP] = dispatch_pnp;
    driver->MajorFunction[IRP_MJ_POWER] = dispatch_power;
    driver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = dispatch_ioctl;
    driver->DriverExtension->AddDevice = add_device;
    driver->DriverUnload = driver_unload;

    registration.Revision = 1;
    registration.DriverObject = driver;
    registration.RegistryPath = registry_path;
    registration.DeviceExtensionSize = sizeof(struct vr_device);
    registration.DevicesArePolled = FALSE;
    return HidRegisterMinidriver(&registration);
}
