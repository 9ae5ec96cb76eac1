// The virtual card reader's device model: which reports it accepts and how steering values
// from the registry are bounded. The rest is checked end to end against the driver.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
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
    // clang-format off
    const std::pair<Bytes, unsigned char> cases[] = {
        {Format('7', '8'), 'Y'}, {Format('8', '0'), 'N'}, {Format('1', '9'), 'N'},
        {Format('7', '8', 0), 'N'}, {{0x02, 0x31, 'a', 'x', 'b', 'y', 0x03}, 'Y'},
        {{0x02, 0x31, 'a', 0xFF, 0xFF, 0xFF, 0x03}, 'N'}, {{0x02, 0x32, 0x03}, 'Y'},
        {{0x02, 0x40, 0x03}, 'N'}};
    // clang-format on
    for (const auto& [report, verdict] : cases) {
        Bytes data(VR_REPORT_DATA, 0), answer(VR_REPORT_DATA, 0);  // all zeros if silent
        std::copy(report.begin(), report.end(), data.begin());
        vr_state state;
        vr_init_state(&state);
        const vr_steering steering = Steering({});
        vr_handle_report(&state, &steering, data.data(), VR_REPORT_DATA, answer.data());
        EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 4),
                  (Bytes{0x02, report[1], verdict, 0x03}))
            << &report - &cases[0].first;
    }
}

// A text too long, a delay, answer or unplug moment out of range: clamped.
TEST(VirtualReaderModel, BoundsSteeringValues) {
    const std::u16string longText(500, u'v');
    const auto* longUnits = reinterpret_cast<const unsigned short*>(longText.data());
    // Raw values; answer, version length, delay and unplug moment as clamped.
    const std::pair<vr_raw_steering, std::tuple<int, unsigned, unsigned, int>> bounds[] = {
        {{1, 0x12345, 0, nullptr, 0, 0, 0, 3}, {0xFF, 12, 0, VR_UNPLUG_NONE}},
        {{0, 0, 1, longUnits, 500, 0, 0xFFFFFFFF, 0},
         {-1, VR_MAX_VERSION_TEXT, VR_MAX_DELAY_MS, VR_UNPLUG_NONE}},
    };
    for (const auto& [raw, clamped] : bounds) {
        const vr_steering s = Steering(raw);
        EXPECT_EQ(std::make_tuple(s.answer, s.version_length, s.delay_ms, s.unplug), clamped)
            << raw.answer << " " << raw.delay_ms << " " << raw.unplug;
    }
}

}  // namespace
