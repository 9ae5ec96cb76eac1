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
/* The most characters a track of a card holds (track 3's 107); longer test data is cut. */
#define VR_MAX_TRACK_DATA 107
/* The most characters the reader types for one card: each of the three tracks with two
 * sentinels and a carriage return, and the carriage return after the packet. */
#define VR_MAX_TYPED (3 * (VR_MAX_TRACK_DATA + 3) + 1)

/* When the reader is pulled out, as the "Unplug" steering value asks: during the write of the
 * next report (the write never completes on its own), or during the read that follows it (the
 * write goes through, no answer comes). Any other value means not at all. */
#define VR_UNPLUG_NONE 0
#define VR_UNPLUG_DURING_WRITE 1
#define VR_UNPLUG_DURING_READ 2

/* Steering as it was found in the registry: each value may be missing or out of range. */
struct vr_raw_steering {
    int has_answer;
    unsigned long answer;
    int has_version;
    const unsigned short* version; /* UTF-16 code units, not terminated */
    unsigned long version_units;
    unsigned long silent;
    unsigned long delay_ms;
    unsigned long unplug;
};

/* Steering the model can use: every field within its bounds. */
struct vr_steering {
    int answer; /* the byte answered to format and replacement commands; -1: the model decides */
    unsigned char version[VR_MAX_VERSION_TEXT];
    unsigned version_length;
    int silent;
    unsigned delay_ms;
    int unplug; /* one of VR_UNPLUG_* */
};

/* What the reader keeps from the commands it accepted. The track digit is '0' plus 1 for
 * track 1, 2 for track 2 and 4 for track 3; the carriage-return digit is '8' for one after
 * the packet, or '0' plus 4 for one after track 1, 2 after track 2 and 1 after track 3. */
struct vr_state {
    unsigned char format[8];  /* sentinels (start, end of tracks 1, 2, 3; 0xFF: none), track
                                 digit, carriage-return digit */
    unsigned char replace[4]; /* originals, then replacements; 0xFF: no pair */
    unsigned long changes;    /* accepted commands that set the format or the replacements */
};

/* A test card as the "Card" steering value gives it: the data of tracks 1, 2 and 3. A track
 * of length 0 is one the card does not carry. */
struct vr_card {
    unsigned char track[3][VR_MAX_TRACK_DATA];
    unsigned length[3];
};

void vr_clamp_steering(const struct vr_raw_steering* raw, struct vr_steering* out);
void vr_init_state(struct vr_state* state);

/* Handles one output report's data (`length` bytes, without the identifier). Returns 1 and
 * fills `answer` when the reader answers, 0 when it stays silent. */
int vr_handle_report(struct vr_state* state, const struct vr_steering* steering,
                     const unsigned char* data, unsigned length,
                     unsigned char answer[VR_REPORT_DATA]);

/* Reads a card from the "Card" value's text (`count` UTF-16 code units, up to a terminator):
 * the three tracks' data separated by '\n'. Missing tracks are not carried; a character
 * beyond 0xFF becomes '?'. */
void vr_read_card(const unsigned short* units, unsigned long count, struct vr_card* card);

/* Writes the characters the reader types for `card` with what it keeps to `typed` (at most
 * `room` of them, never more) and returns how many. For each track the format asks for, in
 * order: its start sentinel, its data with the replacements made, its end sentinel and the
 * carriage return ('\r') the format asks for after it; then the one after the packet. A track
 * the card does not carry gives its sentinels and carriage return alone. */
unsigned vr_type_card(const struct vr_state* state, const struct vr_card* card,
                      unsigned char* typed, unsigned room);

#ifdef __cplusplus
}
#endif

#endif
