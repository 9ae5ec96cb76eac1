// The virtual card reader's device model: which reports it accepts, what it answers and
// keeps, and how steering values from the registry are bounded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/virtual-reader/reader_model.h"

namespace {

using Bytes = std::vector<unsigned char>;

struct Outcome {
    bool answered;
    Bytes answer;  // up to and including the first 0x03 after byte 1
};

vr_steering Steering(const vr_raw_steering& raw = {}) {
    vr_steering steering;
    vr_clamp_steering(&raw, &steering);
    return steering;
}

Outcome Handle(vr_state& state, const Bytes& report, const vr_steering& steering = Steering()) {
    Bytes data(VR_REPORT_DATA, 0);
    std::copy(report.begin(), report.end(), data.begin());
    unsigned char answer[VR_REPORT_DATA];
    const int answered = vr_handle_report(&state, &steering, data.data(), VR_REPORT_DATA, answer);
    Outcome outcome{answered != 0, {}};
    for (int i = 0; answered && i < VR_REPORT_DATA; ++i) {
        outcome.answer.push_back(answer[i]);
        if (i > 1 && answer[i] == 0x03)
            break;
    }
    return outcome;
}

Bytes Format(unsigned char tracks, unsigned char returns) {
    return {0x02, 0x30, '%', '?', ';', '?', '+', '?', tracks, returns, 0x03};
}
Bytes Replace(unsigned char o1, unsigned char o2, unsigned char r1, unsigned char r2) {
    return {0x02, 0x31, o1, o2, r1, r2, 0x03};
}

struct Case {
    const char* name;
    Bytes report;
    unsigned char verdict;
};

const Case kCases[] = {
    {"format, all tracks, packet return", Format('7', '8'), 'Y'},
    {"format, track 2 only, no return", Format('2', '0'), 'Y'},
    {"format, track digit 0", Format('0', '0'), 'N'},
    {"format, track digit 8", Format('8', '0'), 'N'},
    {"format, return digit 9", Format('1', '9'), 'N'},
    {"format, return digit below 0", Format('1', '/'), 'N'},
    {"format without its end byte", {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0}, 'N'},
    {"replace, both pairs", Replace('a', 'x', 'b', 'y'), 'Y'},
    {"replace, second pair only", Replace(0xFF, 'a', 0xFF, 'b'), 'Y'},
    {"replace, no pair", Replace(0xFF, 0xFF, 0xFF, 0xFF), 'N'},
    {"replace, pair without replacement", Replace('a', 0xFF, 0xFF, 0xFF), 'N'},
    {"cancel", {0x02, 0x32, 0x03}, 'Y'},
    {"cancel without start byte", {0x00, 0x32, 0x03}, 'N'},
    {"unknown command", {0x02, 0x40, 0x03}, 'N'},
};

TEST(VirtualReaderModel, AcceptsWhatItCanApplyAndRefusesTheRest) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        vr_state state;
        vr_init_state(&state);
        const Outcome outcome = Handle(state, c.report);
        ASSERT_TRUE(outcome.answered);
        EXPECT_EQ(outcome.answer, (Bytes{0x02, c.report[1], c.verdict, 0x03}));
    }
}

// Kept after a refused report too; the rest of what it keeps and answers, and its steering,
// is checked end to end against the driver.
TEST(VirtualReaderModel, ARefusedFormatChangesNothing) {
    vr_state state;
    vr_init_state(&state);
    Handle(state, {0x02, 0x30, 'a', 'b', 'c', 'd', 'e', 'f', '5', '5', 0x03});
    Handle(state, Format('9', '0'));
    EXPECT_EQ(Bytes(state.format, state.format + 8),
              (Bytes{'a', 'b', 'c', 'd', 'e', 'f', '5', '5'}));
}

TEST(VirtualReaderModel, BoundsEverySteeringValue) {
    const std::u16string longText(500, u'v');
    const auto* longUnits = reinterpret_cast<const unsigned short*>(longText.data());
    const int none = VR_UNPLUG_NONE;
    const struct {
        vr_raw_steering raw;
        int answer;
        unsigned versionLength, delay;
        int unplug;
    } bounds[] = {
        {{}, -1, 12, 0, none},
        {{1, 0x12345, 0, nullptr, 0, 0, 0, 0}, 0xFF, 12, 0, none},  // answer too large
        {{0, 0, 0, nullptr, 0, 0, 0xFFFFFFFF, 0}, -1, 12, VR_MAX_DELAY_MS, none},
        {{0, 0, 0, nullptr, 0, 0, 1500, 0}, -1, 12, 1500, none},
        {{0, 0, 1, longUnits, 500, 0, 0, 0}, -1, VR_MAX_VERSION_TEXT, 0, none},
        {{0, 0, 1, nullptr, 0, 0, 0, 0}, -1, 12, 0, none},  // text present but empty
        {{0, 0, 0, nullptr, 0, 0, 0, 1}, -1, 12, 0, VR_UNPLUG_DURING_WRITE},
        {{0, 0, 0, nullptr, 0, 0, 0, 2}, -1, 12, 0, VR_UNPLUG_DURING_READ},
        {{0, 0, 0, nullptr, 0, 0, 0, 3}, -1, 12, 0, none},  // an unknown moment
        {{0, 0, 0, nullptr, 0, 0, 0, 0xFFFFFFFF}, -1, 12, 0, none},
    };
    for (const auto& b : bounds) {
        const vr_steering steering = Steering(b.raw);
        EXPECT_EQ(steering.answer, b.answer) << &b - bounds;
        EXPECT_EQ(steering.version_length, b.versionLength) << &b - bounds;
        EXPECT_EQ(steering.delay_ms, b.delay) << &b - bounds;
        EXPECT_EQ(steering.unplug, b.unplug) << &b - bounds;
    }
    // Characters outside the reader's byte range become '?'.
    const std::u16string wide = u"\u4e2dA";
    const vr_steering steering =
        Steering({0, 0, 1, reinterpret_cast<const unsigned short*>(wide.data()), 2, 0, 0, 0});
    EXPECT_EQ(Bytes(steering.version, steering.version + steering.version_length),
              (Bytes{'?', 'A'}));
}

}  // namespace
