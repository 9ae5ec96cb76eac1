#include "registry.h"

#define VR_LOG_SIZE (VR_RECORDED_REPORTS * VR_RECORD_SIZE)
/* A value larger than this is not one of ours and is ignored. */
#define VR_MAX_VALUE_SIZE (64 * 1024)

HANDLE vr_open_device_key(PDEVICE_OBJECT physical_device) {
    HANDLE key = NULL;
    if (!NT_SUCCESS(
            IoOpenDeviceRegistryKey(physical_device, PLUGPLAY_REGKEY_DEVICE, KEY_ALL_ACCESS, &key)))
        return NULL;
    return key;
}

/* A value's data, or NULL when it is missing, too large or not of `type`. The caller
 * frees it. */
static KEY_VALUE_PARTIAL_INFORMATION* query(HANDLE key, const WCHAR* name, ULONG type) {
    UNICODE_STRING value_name;
    KEY_VALUE_PARTIAL_INFORMATION header;
    KEY_VALUE_PARTIAL_INFORMATION* info;
    ULONG size = 0;

    RtlInitUnicodeString(&value_name, name);
    /* The first call only learns the size. */
    ZwQueryValueKey(key, &value_name, KeyValuePartialInformation, &header, sizeof(header), &size);
    if (size == 0 || size > VR_MAX_VALUE_SIZE)
        return NULL;
    info = ExAllocatePool(NonPagedPool, size);
    if (info == NULL)
        return NULL;
    if (!NT_SUCCESS(
            ZwQueryValueKey(key, &value_name, KeyValuePartialInformation, info, size, &size)) ||
        info->Type != type) {
        ExFreePool(info);
        return NULL;
    }
    return info;
}

static int query_dword(HANDLE key, const WCHAR* name, unsigned long* value) {
    KEY_VALUE_PARTIAL_INFORMATION* info = query(key, name, REG_DWORD);
    int found = 0;
    if (info != NULL && info->DataLength == sizeof(ULONG)) {
        *value = *(const ULONG*)info->Data;
        found = 1;
    }
    if (info != NULL)
        ExFreePool(info);
    return found;
}

static void set_binary(HANDLE key, const WCHAR* name, const void* data, ULONG size) {
    UNICODE_STRING value_name;
    RtlInitUnicodeString(&value_name, name);
    ZwSetValueKey(key, &value_name, 0, REG_BINARY, (PVOID)data, size);
}

void vr_read_steering(HANDLE key, struct vr_steering* steering) {
    struct vr_raw_steering raw = {0};
    KEY_VALUE_PARTIAL_INFORMATION* version = NULL;

    if (key != NULL) {
        raw.has_answer = query_dword(key, L"Answer", &raw.answer);
        query_dword(key, L"Silent", &raw.silent);
        query_dword(key, L"DelayMs", &raw.delay_ms);
        query_dword(key, L"Unplug", &raw.unplug);
        version = query(key, L"Version", REG_SZ);
        if (version != NULL) {
            raw.has_version = 1;
            raw.version = (const unsigned short*)version->Data;
            raw.version_units = version->DataLength / sizeof(WCHAR);
        }
    }
    vr_clamp_steering(&raw, steering);
    if (version != NULL)
        ExFreePool(version);
}

void vr_report_unplugging(HANDLE key, ULONG how) {
    ULONG none = VR_UNPLUG_NONE;
    UNICODE_STRING value_name;
    if (key == NULL)
        return;
    RtlInitUnicodeString(&value_name, L"Unplug");
    ZwSetValueKey(key, &value_name, 0, REG_DWORD, &none, sizeof(none));
    RtlInitUnicodeString(&value_name, L"Unplugging");
    ZwSetValueKey(key, &value_name, 0, REG_DWORD, &how, sizeof(how));
}

void vr_record_report(HANDLE key, UCHAR report_id, const UCHAR* data, ULONG length) {
    KEY_VALUE_PARTIAL_INFORMATION* old;
    UCHAR* log;
    ULONG kept = 0, i;

    if (key == NULL)
        return;
    log = ExAllocatePool(NonPagedPool, VR_LOG_SIZE);
    if (log == NULL)
        return;
    old = query(key, L"Received", REG_BINARY);
    if (old != NULL) {
        /* Whole records only; the oldest one goes when the log is full. */
        ULONG start = 0;
        kept = old->DataLength - old->DataLength % VR_RECORD_SIZE;
        if (kept >= VR_LOG_SIZE) {
            start = kept - (VR_LOG_SIZE - VR_RECORD_SIZE);
            kept = VR_LOG_SIZE - VR_RECORD_SIZE;
        }
        for (i = 0; i < kept; ++i)
            log[i] = old->Data[start + i];
        ExFreePool(old);
    }
    log[kept] = report_id;
    for (i = 0; i < VR_REPORT_DATA; ++i)
        log[kept + 1 + i] = i < length ? data[i] : 0;
    set_binary(key, L"Received", log, kept + VR_RECORD_SIZE);
    ExFreePool(log);
}

void vr_save_state(HANDLE key, const struct vr_state* state) {
    if (key == NULL)
        return;
    set_binary(key, L"Format", state->format, sizeof(state->format));
    set_binary(key, L"Replace", state->replace, sizeof(state->replace));
}

/* What typing for the test card needs: too large for a kernel stack, so it comes from the
 * pool. */
struct typing_work {
    struct vr_card card;
    unsigned char typed[VR_MAX_TYPED];
    WCHAR text[VR_MAX_TYPED + 1];
};

void vr_save_typed(HANDLE key, const struct vr_state* state, int state_changed) {
    KEY_VALUE_PARTIAL_INFORMATION* card;
    struct typing_work* work;
    UNICODE_STRING value_name;
    unsigned count, i;

    if (key == NULL)
        return;
    card = query(key, L"Card", REG_SZ);
    if (card == NULL && !state_changed)
        return;
    work = ExAllocatePool(NonPagedPool, sizeof(*work));
    if (work != NULL) {
        if (card != NULL)
            vr_read_card((const unsigned short*)card->Data, card->DataLength / sizeof(WCHAR),
                         &work->card);
        else
            vr_read_card(NULL, 0, &work->card);
        count = vr_type_card(state, &work->card, work->typed, VR_MAX_TYPED);
        for (i = 0; i < count; ++i)
            work->text[i] = work->typed[i];
        work->text[count] = 0;
        RtlInitUnicodeString(&value_name, L"Typed");
        ZwSetValueKey(key, &value_name, 0, REG_SZ, work->text, (count + 1) * sizeof(WCHAR));
        ExFreePool(work);
    }
    if (card != NULL)
        ExFreePool(card);
}
