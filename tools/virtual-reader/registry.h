/* The driver's side of each reader's own registry key (the device's "Device Parameters"):
 * steering values that tests write while the program runs, and the records the driver
 * leaves there for them. Every call takes that key; a NULL key steers and records nothing. */
#ifndef VREADER_REGISTRY_H
#define VREADER_REGISTRY_H

#include <ddk/wdm.h>

#include "reader_model.h"

/* How many received reports the "Received" value keeps (the latest ones). */
#define VR_RECORDED_REPORTS 32
/* One record: the report identifier, then the report's data zero-padded to 64 bytes. */
#define VR_RECORD_SIZE (1 + VR_REPORT_DATA)

/* Opens the key of the device instance under `physical_device`, which the installer
 * creates; NULL when there is none. The caller closes it. */
HANDLE vr_open_device_key(PDEVICE_OBJECT physical_device);

/* Reads the steering values; anything missing, unreadable or out of range falls back to
 * the defaults or is clamped. */
void vr_read_steering(HANDLE key, struct vr_steering* steering);
/* Tells the test that the reader is being pulled out (`how`, one of VR_UNPLUG_*) by writing
 * "Unplugging"; "Unplug" goes back to none, so that a reader plugged in again works. */
void vr_report_unplugging(HANDLE key, ULONG how);
/* Appends one received report to "Received". */
void vr_record_report(HANDLE key, UCHAR report_id, const UCHAR* data, ULONG length);
/* Writes what the reader keeps to "Format" and "Replace". */
void vr_save_state(HANDLE key, const struct vr_state* state);
/* Writes "Typed": what the reader types, with `state`, for the test card in "Card". Without a
 * card it writes only when `state_changed`, and then for a card that carries no track. */
void vr_save_typed(HANDLE key, const struct vr_state* state, int state_changed);

#endif
