// The virtual card reader's device model: which reports it accepts and how steering values
// from the registry are bounded. The rest is checked end to end against the driver.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/virtual-reader/reader_model.h"

namespace {

using Bytes = std::vector<unsigned char>;

vr_steering Steering(const vr_raw_steering& raw) {
    vr_steering steering;
    vr_clamp_steering(&raw, &steering);
    return steering;
}

// Refused: a track digit outside 1 to 7, a carriage-return digit outside 0 to 8, a report
// without its end byte, a pair without its replacement, an unknown command.
TEST(VirtualReaderModel, AcceptsWhatItCanApplyAndRefusesTheRest) {
    const auto Format = [](unsigned char tracks, unsigned char returns, unsigned char end = 3) {
        return Bytes{0x02, 0x30, '%', '?', ';', '?', '+', '?', tracks, returns, end};
    };
    const struct {
        const char* name;
        Bytes report;
        unsigned char verdict;
    } cases[] = {
        {"format, highest digits", Format('7', '8'), 'Y'},
        {"format, track digit 8", Format('8', '0'), 'N'},
        {"format, carriage-return digit 9", Format('1', '9'), 'N'},
        {"format without its end byte", Format('7', '8', 0), 'N'},
        {"replace, two pairs", {0x02, 0x31, 'a', 'x', 'b', 'y', 0x03}, 'Y'},
        {"replace, a pair without its replacement", {0x02, 0x31, 'a', 0xFF, 0xFF, 0xFF, 0x03}, 'N'},
        {"cancel replace", {0x02, 0x32, 0x03}, 'Y'},
        {"unknown command", {0x02, 0x40, 0x03}, 'N'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes data(VR_REPORT_DATA, 0);
        Bytes answer(VR_REPORT_DATA, 0);  // all zeros if silent
        std::copy(c.report.begin(), c.report.end(), data.begin());
        vr_state state;
        vr_init_state(&state);
        const vr_steering steering = Steering({});
        vr_handle_report(&state, &steering, data.data(), VR_REPORT_DATA, answer.data());
        EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 4),
                  (Bytes{0x02, c.report[1], c.verdict, 0x03}));
    }
}

// A text too long, a delay, answer or unplug moment out of range: clamped.
TEST(VirtualReaderModel, BoundsSteeringValues) {
    const std::u16string longText(500, u'v');
    const auto* longUnits = reinterpret_cast<const unsigned short*>(longText.data());
    const vr_steering high = Steering({1, 0x12345, 0, nullptr, 0, 0, 0, 3});
    EXPECT_EQ(high.answer, 0xFF);
    EXPECT_EQ(high.version_length, 12u);
    EXPECT_EQ(high.delay_ms, 0u);
    EXPECT_EQ(high.unplug, VR_UNPLUG_NONE);
    const vr_steering longest = Steering({0, 0, 1, longUnits, 500, 0, 0xFFFFFFFF, 0});
    EXPECT_EQ(longest.answer, -1);
    EXPECT_EQ(longest.version_length, unsigned{VR_MAX_VERSION_TEXT});
    EXPECT_EQ(longest.delay_ms, unsigned{VR_MAX_DELAY_MS});
    EXPECT_EQ(longest.unplug, VR_UNPLUG_NONE);
}

}  // namespace
