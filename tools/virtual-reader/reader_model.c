#include "reader_model.h"

enum {
    STX = 0x02,
    ETX = 0x03,
    CMD_VERSION = 0x05,
    CMD_FORMAT = 0x30,
    CMD_REPLACE = 0x31,
    CMD_CANCEL = 0x32,
    NO_CHARACTER = 0xFF,
    CARRIAGE_RETURN = '\r',
    RETURN_AFTER_PACKET = 8,
};

static void fill(unsigned char* bytes, unsigned count, unsigned char value) {
    unsigned i;
    for (i = 0; i < count; ++i)
        bytes[i] = value;
}

static void copy(unsigned char* to, const unsigned char* from, unsigned count) {
    unsigned i;
    for (i = 0; i < count; ++i)
        to[i] = from[i];
}

void vr_clamp_steering(const struct vr_raw_steering* raw, struct vr_steering* out) {
    static const char default_version[] = VR_DEFAULT_VERSION;
    unsigned i;

    out->answer = -1;
    if (raw->has_answer)
        out->answer = raw->answer > 0xFF ? 0xFF : (int)raw->answer;

    out->version_length = 0;
    if (raw->has_version && raw->version != 0) {
        for (i = 0; i < raw->version_units && i < VR_MAX_VERSION_TEXT; ++i) {
            const unsigned short unit = raw->version[i];
            if (unit == 0)
                break; /* a registry string ends at its terminator */
            out->version[i] = unit > 0xFF ? '?' : (unsigned char)unit;
        }
        out->version_length = i;
    } else {
        for (i = 0; default_version[i] != 0; ++i)
            out->version[i] = (unsigned char)default_version[i];
        out->version_length = i;
    }

    out->silent = raw->silent != 0;
    out->delay_ms = raw->delay_ms > VR_MAX_DELAY_MS ? VR_MAX_DELAY_MS : (unsigned)raw->delay_ms;
    out->unplug = raw->unplug == VR_UNPLUG_DURING_WRITE || raw->unplug == VR_UNPLUG_DURING_READ
                      ? (int)raw->unplug
                      : VR_UNPLUG_NONE;
}

void vr_init_state(struct vr_state* state) {
    /* The reader's defaults: all tracks with their usual sentinels, a carriage return after
     * the packet, no replacements. */
    static const unsigned char default_format[8] = {'%', '?', ';', '?', '+', '?', '7', '8'};
    copy(state->format, default_format, sizeof(state->format));
    fill(state->replace, sizeof(state->replace), NO_CHARACTER);
    state->changes = 0;
}

/* Where each command's end byte lies in the data (after 0x02, the code and the payload). */
static int end_position(unsigned char code) {
    switch (code) {
        case CMD_FORMAT:
            return 10;
        case CMD_REPLACE:
            return 6;
        case CMD_VERSION:
        case CMD_CANCEL:
            return 2;
        default:
            return -1;
    }
}

static int well_framed(const unsigned char* data, unsigned length) {
    int end;
    if (length < 3 || data[0] != STX)
        return 0;
    end = end_position(data[1]);
    return end > 0 && (unsigned)end < length && data[end] == ETX;
}

static int format_acceptable(const unsigned char* data) {
    const unsigned char tracks = data[8], returns = data[9];
    return tracks >= '1' && tracks <= '7' && returns >= '0' && returns <= '8';
}

/* Each pair is complete or absent, and at least one pair is given. */
static int replace_acceptable(const unsigned char* data) {
    int pair, given = 0;
    for (pair = 0; pair < 2; ++pair) {
        const int has_original = data[2 + pair] != NO_CHARACTER;
        const int has_replacement = data[4 + pair] != NO_CHARACTER;
        if (has_original != has_replacement)
            return 0;
        given += has_original;
    }
    return given > 0;
}

/* Applies an accepted command to the state; returns whether it was accepted. */
static int apply(struct vr_state* state, const unsigned char* data, unsigned length) {
    if (!well_framed(data, length))
        return 0;
    switch (data[1]) {
        case CMD_FORMAT:
            if (!format_acceptable(data))
                return 0;
            copy(state->format, data + 2, sizeof(state->format));
            ++state->changes;
            return 1;
        case CMD_REPLACE:
            if (!replace_acceptable(data))
                return 0;
            copy(state->replace, data + 2, sizeof(state->replace));
            ++state->changes;
            return 1;
        case CMD_CANCEL:
            fill(state->replace, sizeof(state->replace), NO_CHARACTER);
            ++state->changes;
            return 1;
        default:
            return 1; /* the version query changes nothing */
    }
}

int vr_handle_report(struct vr_state* state, const struct vr_steering* steering,
                     const unsigned char* data, unsigned length,
                     unsigned char answer[VR_REPORT_DATA]) {
    const int accepted = apply(state, data, length);
    const unsigned char code = length > 1 ? data[1] : 0;

    fill(answer, VR_REPORT_DATA, 0);
    if (steering->silent)
        return 0;
    answer[0] = STX;
    answer[1] = code;
    if (accepted && code == CMD_VERSION) {
        copy(answer + 2, steering->version, steering->version_length);
        answer[2 + steering->version_length] = ETX;
        return 1;
    }
    answer[2] = accepted ? 'Y' : 'N';
    if (steering->answer >= 0 && code != CMD_VERSION)
        answer[2] = (unsigned char)steering->answer;
    answer[3] = ETX;
    return 1;
}

void vr_read_card(const unsigned short* units, unsigned long count, struct vr_card* card) {
    unsigned long i;
    unsigned track = 0;

    card->length[0] = card->length[1] = card->length[2] = 0;
    for (i = 0; units != 0 && i < count && units[i] != 0 && track < 3; ++i) {
        const unsigned short unit = units[i];
        if (unit == '\n')
            ++track;
        else if (card->length[track] < VR_MAX_TRACK_DATA)
            card->track[track][card->length[track]++] = unit > 0xFF ? '?' : (unsigned char)unit;
    }
}

/* What the output is written into, and how much of it is used. */
struct typing {
    unsigned char* typed;
    unsigned room;
    unsigned count;
};

static void type(struct typing* out, unsigned char character) {
    if (out->count < out->room)
        out->typed[out->count++] = character;
}

static void type_sentinel(struct typing* out, unsigned char sentinel) {
    if (sentinel != NO_CHARACTER)
        type(out, sentinel);
}

/* A data character after the replacements: the first pair whose original it is. */
static unsigned char replaced(const struct vr_state* state, unsigned char character) {
    int pair;
    for (pair = 0; pair < 2; ++pair) {
        if (state->replace[pair] != NO_CHARACTER && state->replace[pair] == character)
            return state->replace[2 + pair];
    }
    return character;
}

unsigned vr_type_card(const struct vr_state* state, const struct vr_card* card,
                      unsigned char* typed, unsigned room) {
    /* Track n's weight in the track digit, and in the carriage-return digit. */
    static const int track_bit[3] = {1, 2, 4};
    static const int return_bit[3] = {4, 2, 1};
    const int tracks = state->format[6] - '0';
    const int returns = state->format[7] - '0';
    struct typing out;
    int track;
    unsigned i;

    out.typed = typed;
    out.room = room;
    out.count = 0;
    for (track = 0; track < 3; ++track) {
        if (!(tracks & track_bit[track]))
            continue;
        type_sentinel(&out, state->format[2 * track]);
        for (i = 0; i < card->length[track] && i < VR_MAX_TRACK_DATA; ++i)
            type(&out, replaced(state, card->track[track][i]));
        type_sentinel(&out, state->format[2 * track + 1]);
        if (returns != RETURN_AFTER_PACKET && (returns & return_bit[track]))
            type(&out, CARRIAGE_RETURN);
    }
    if (returns == RETURN_AFTER_PACKET)
        type(&out, CARRIAGE_RETURN);
    return out.count;
}
