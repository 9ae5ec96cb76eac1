// The virtual card reader's device model: which reports it accepts, what it keeps, and how
// steering values from the registry are bounded. The rest of what it answers and keeps, and
// its steering, is checked end to end against the driver.
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

// The first four bytes of the answer to `report` (empty when the reader stays silent).
Bytes Answer(vr_state& state, const Bytes& report) {
    Bytes data(VR_REPORT_DATA, 0);
    std::copy(report.begin(), report.end(), data.begin());
    unsigned char answer[VR_REPORT_DATA];
    const vr_steering steering = Steering({});
    if (!vr_handle_report(&state, &steering, data.data(), VR_REPORT_DATA, answer))
        return {};
    return Bytes(answer, answer + 4);
}

Bytes Format(unsigned char tracks, unsigned char returns) {
    return {0x02, 0x30, '%', '?', ';', '?', '+', '?', tracks, returns, 0x03};
}
Bytes Replace(unsigned char o1, unsigned char o2, unsigned char r1, unsigned char r2) {
    return {0x02, 0x31, o1, o2, r1, r2, 0x03};
}

// Refused: track digits outside 1 to 7, carriage-return digits outside 0 to 8, a report
// without its end or start byte, no pair or a pair without its replacement, an unknown command.
TEST(VirtualReaderModel, AcceptsWhatItCanApplyAndRefusesTheRest) {
    Bytes unended = Format('7', '8');
    unended.back() = 0;
    // clang-format off
    const std::pair<Bytes, unsigned char> cases[] = {
        {Format('7', '8'), 'Y'}, {Format('2', '0'), 'Y'}, {Format('0', '0'), 'N'},
        {Format('8', '0'), 'N'}, {Format('1', '9'), 'N'}, {Format('1', '/'), 'N'}, {unended, 'N'},
        {Replace('a', 'x', 'b', 'y'), 'Y'}, {Replace(0xFF, 'a', 0xFF, 'b'), 'Y'},
        {Replace(0xFF, 0xFF, 0xFF, 0xFF), 'N'}, {Replace('a', 0xFF, 0xFF, 0xFF), 'N'},
        {{0x02, 0x32, 0x03}, 'Y'}, {{0x00, 0x32, 0x03}, 'N'}, {{0x02, 0x40, 0x03}, 'N'},
    };
    // clang-format on
    for (const auto& [report, verdict] : cases) {
        vr_state state;
        vr_init_state(&state);
        EXPECT_EQ(Answer(state, report), (Bytes{0x02, report[1], verdict, 0x03}))
            << &report - &cases[0].first;
    }
}

// A text too long, a delay, answer or unplug moment out of range: clamped.
TEST(VirtualReaderModel, BoundsSteeringValues) {
    const std::u16string longText(500, u'v');
    const auto* longUnits = reinterpret_cast<const unsigned short*>(longText.data());
    // Raw values; answer, version length, delay and unplug moment as clamped.
    const std::pair<vr_raw_steering, std::tuple<int, unsigned, unsigned, int>> bounds[] = {
        {{1, 0x12345, 0, nullptr, 0, 0, 0, 0}, {0xFF, 12, 0, VR_UNPLUG_NONE}},
        {{0, 0, 0, nullptr, 0, 0, 0xFFFFFFFF, 0}, {-1, 12, VR_MAX_DELAY_MS, VR_UNPLUG_NONE}},
        {{0, 0, 1, longUnits, 500, 0, 0, 0}, {-1, VR_MAX_VERSION_TEXT, 0, VR_UNPLUG_NONE}},
        {{0, 0, 0, nullptr, 0, 0, 0, 3}, {-1, 12, 0, VR_UNPLUG_NONE}},
    };
    for (const auto& [raw, clamped] : bounds) {
        const vr_steering s = Steering(raw);
        EXPECT_EQ(std::make_tuple(s.answer, s.version_length, s.delay_ms, s.unplug), clamped)
            << raw.answer << " " << raw.delay_ms << " " << raw.unplug;
    }
}

}  // namespace
