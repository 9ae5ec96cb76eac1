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
    vr_state state;  // a refused format changes nothing
    vr_init_state(&state);
    Answer(state, {0x02, 0x30, 'a', 'b', 'c', 'd', 'e', 'f', '5', '5', 0x03});
    Answer(state, Format('9', '0'));
    EXPECT_EQ(Bytes(state.format, state.format + 8),
              (Bytes{'a', 'b', 'c', 'd', 'e', 'f', '5', '5'}));
}

TEST(VirtualReaderModel, BoundsEverySteeringValue) {
    const std::u16string longText(500, u'v'), wide = u"\u4e2dA";
    const auto* longUnits = reinterpret_cast<const unsigned short*>(longText.data());
    const int none = VR_UNPLUG_NONE;
    // Raw values; answer, version length, delay and unplug moment as clamped.
    const std::pair<vr_raw_steering, std::tuple<int, unsigned, unsigned, int>> bounds[] = {
        {{}, {-1, 12, 0, none}},
        {{1, 0x12345, 0, nullptr, 0, 0, 0, 0}, {0xFF, 12, 0, none}},  // answer too large
        {{0, 0, 0, nullptr, 0, 0, 0xFFFFFFFF, 0}, {-1, 12, VR_MAX_DELAY_MS, none}},
        {{0, 0, 0, nullptr, 0, 0, 1500, 0}, {-1, 12, 1500, none}},
        {{0, 0, 1, longUnits, 500, 0, 0, 0}, {-1, VR_MAX_VERSION_TEXT, 0, none}},
        {{0, 0, 1, nullptr, 0, 0, 0, 0}, {-1, 12, 0, none}},  // text present but empty
        {{0, 0, 0, nullptr, 0, 0, 0, 1}, {-1, 12, 0, VR_UNPLUG_DURING_WRITE}},
        {{0, 0, 0, nullptr, 0, 0, 0, 2}, {-1, 12, 0, VR_UNPLUG_DURING_READ}},
        {{0, 0, 0, nullptr, 0, 0, 0, 3}, {-1, 12, 0, none}},  // an unknown moment
        {{0, 0, 0, nullptr, 0, 0, 0, 0xFFFFFFFF}, {-1, 12, 0, none}},
    };
    for (const auto& [raw, clamped] : bounds) {
        const vr_steering s = Steering(raw);
        EXPECT_EQ(std::make_tuple(s.answer, s.version_length, s.delay_ms, s.unplug), clamped)
            << raw.answer << " " << raw.delay_ms << " " << raw.unplug;
    }
    // Characters outside the reader's byte range become '?'.
    const vr_steering s =
        Steering({0, 0, 1, reinterpret_cast<const unsigned short*>(wide.data()), 2, 0, 0, 0});
    EXPECT_EQ(Bytes(s.version, s.version + s.version_length), (Bytes{'?', 'A'}));
}

}  // namespace
