// The virtual card reader's device model: which reports it accepts, how steering values
// from the registry are bounded and what it types for a test card. The rest is checked end
// to end against the driver.
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

// A card from the "Card" value's text, and what a reader keeping `format` and `replace`
// (empty: its start-up ones) types for it.
std::string Typed(const Bytes& format, const Bytes& replace, const std::u16string& card) {
    vr_state state;
    vr_init_state(&state);
    std::copy(format.begin(), format.end(), state.format);
    std::copy(replace.begin(), replace.end(), state.replace);
    vr_card read;
    vr_read_card(reinterpret_cast<const unsigned short*>(card.data()), card.size(), &read);
    unsigned char typed[VR_MAX_TYPED];
    const unsigned count = vr_type_card(&state, &read, typed, VR_MAX_TYPED);
    return std::string(typed, typed + count);
}

TEST(VirtualReaderModel, TypesTheCardAsTheFormatAndReplacementsAsk) {
    const std::u16string card = u"B4000123412341234^TEST/CARD^2512101\n4000123412341234=2512101";
    const struct {
        const char* name;
        Bytes format;
        Bytes replace;
        std::string typed;
    } cases[] = {
        {"start-up: all tracks, track 3 not carried, return after the packet",
         {},
         {},
         "%B4000123412341234^TEST/CARD^2512101?;4000123412341234=2512101?+?\r"},
        {"track 2, returns after every track",
         {'%', '?', ';', '?', '+', '?', '2', '7'},
         {},
         ";4000123412341234=2512101?\r"},
        {"tracks 1 and 3, returns after both",
         {'%', '?', ';', '?', '+', '?', '5', '5'},
         {},
         "%B4000123412341234^TEST/CARD^2512101?\r+?\r"},
        {"tracks 1 and 2, return after track 2 only",
         {'%', '?', ';', '?', '+', '?', '3', '2'},
         {},
         "%B4000123412341234^TEST/CARD^2512101?;4000123412341234=2512101?\r"},
        {"no sentinels, no returns",
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, '3', '0'},
         {},
         "B4000123412341234^TEST/CARD^25121014000123412341234=2512101"},
        {"replacements in the data, not in the sentinels",
         {},
         {'^', '?', '|', '!'},
         "%B4000123412341234|TEST/CARD|2512101?;4000123412341234=2512101?+?\r"},
        {"second pair only",
         {},
         {0xFF, '=', 0xFF, 'D'},
         "%B4000123412341234^TEST/CARD^2512101?;4000123412341234D2512101?+?\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Typed(c.format, c.replace, card), c.typed);
    }
}

// Track data beyond a track's 107 characters is cut; the output stops at its room.
TEST(VirtualReaderModel, TypingStaysWithinItsBounds) {
    const std::u16string track(300, u'7');
    vr_state state;
    vr_init_state(&state);
    vr_card card;
    vr_read_card(reinterpret_cast<const unsigned short*>(track.data()), track.size(), &card);
    EXPECT_EQ(card.length[0], 107u);
    EXPECT_EQ(Typed({}, {}, track + u"\n" + track + u"\n" + track).size(), 328u);
    unsigned char typed[12] = {};
    EXPECT_EQ(vr_type_card(&state, &card, typed, 10), 10u);
    EXPECT_EQ(typed[10], 0);
}

}  // namespace
