/* The card reader's behaviour, without any kernel or device plumbing: what it answers to a
 * command report, what it keeps, and how the test's steering values are made safe. Built
 * into the driver and, natively, into the unit tests.
 *
 * A report's data is the 64 bytes after the report identifier: 0x02, the command code, the
 * payload, 0x03. An answer has the same shape: 0x02, the command code, then 'Y' or 'N' and
 * 0x03 for the commands that are accepted or refused, or the version text and 0x03 for the
 * version query. */
#ifndef VREADER_READER_MODEL_H
#define VREADER_READER_MODEL_H

#ifdef __cplusplus
extern "C" {
#endif

#define VR_REPORT_DATA 64
#define VR_MAX_VERSION_TEXT 60
#define VR_MAX_DELAY_MS 5000
#define VR_DEFAULT_VERSION "ZP350 VR 1.0"

/* Steering as it was found in the registry: each value may be missing or out of range. */
struct vr_raw_steering {
    int has_answer;
    unsigned long answer;
    int has_version;
    const unsigned short* version; /* UTF-16 code units, not terminated */
    unsigned long version_units;
    unsigned long silent;
    unsigned long delay_ms;
};

/* Steering the model can use: every field within its bounds. */
struct vr_steering {
    int answer; /* the byte answered to format and replacement commands; -1: the model decides */
    unsigned char version[VR_MAX_VERSION_TEXT];
    unsigned version_length;
    int silent;
    unsigned delay_ms;
};

/* What the reader keeps from the commands it accepted. */
struct vr_state {
    unsigned char format[8];  /* sentinels, track digit, carriage-return digit */
    unsigned char replace[4]; /* originals, then replacements; 0xFF: no pair */
};

void vr_clamp_steering(const struct vr_raw_steering* raw, struct vr_steering* out);
void vr_init_state(struct vr_state* state);

/* Handles one output report's data (`length` bytes, without the identifier). Returns 1 and
 * fills `answer` when the reader answers, 0 when it stays silent. */
int vr_handle_report(struct vr_state* state, const struct vr_steering* steering,
                     const unsigned char* data, unsigned length,
                     unsigned char answer[VR_REPORT_DATA]);

#ifdef __cplusplus
}
#endif

#endif
