/* The driver's side of its Parameters registry key: steering values that tests write while
 * the program runs, and the records the driver leaves there for them. */
#ifndef VREADER_REGISTRY_H
#define VREADER_REGISTRY_H

#include <ddk/wdm.h>

#include "reader_model.h"

/* How many received reports the "Received" value keeps (the latest ones). */
#define VR_RECORDED_REPORTS 32
/* One record: the report identifier, then the report's data zero-padded to 64 bytes. */
#define VR_RECORD_SIZE (1 + VR_REPORT_DATA)

/* Remembers "<service key>\Parameters" and creates it; false when memory is short. */
BOOLEAN vr_registry_init(PCUNICODE_STRING service_key);
void vr_registry_free(void);

/* Reads the steering values; anything missing, unreadable or out of range falls back to
 * the defaults or is clamped. */
void vr_read_steering(struct vr_steering* steering);
/* Appends one received report to "Received". */
void vr_record_report(UCHAR report_id, const UCHAR* data, ULONG length);
/* Writes what the reader keeps to "Format" and "Replace". */
void vr_save_state(const struct vr_state* state);

#endif
