// A model of what a reader types, written apart from the swipe check: formats, cards and the
// keys they make, for the tests that check what the check reads back. A reader outputs, for
// each track of its format in the order 1, 2, 3, the track's start sentinel, the card's data
// for it (nothing where the card has none), its end sentinel and a carriage return where the
// format puts one after that track; or one carriage return after the whole packet.
//
// The formats made here are those a till can use and a swipe can tell apart: sentinels are
// punctuation (no digit, no letter, none of the card's field separators), returns come after
// output tracks or after the packet, never both, and something stands between two tracks.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/choices.h"

namespace model {

struct TrackSetting {
    bool output = false;
    std::string start;  // "" for none
    std::string end;
    bool returnAfter = false;
};

struct Format {
    std::array<TrackSetting, 3> tracks;
    bool returnAfterPacket = false;
};

using Card = std::array<std::string, 3>;  // each track's data; "" where the card has none

inline std::string Typed(const Format& format, const Card& card) {
    std::string typed;
    for (std::size_t i = 0; i < 3; ++i) {
        const TrackSetting& track = format.tracks[i];
        if (!track.output)
            continue;
        typed += track.start + card[i] + track.end;
        if (track.returnAfter)
            typed += '\r';
    }
    if (format.returnAfterPacket)
        typed += '\r';
    return typed;
}

// Whether the format types something for track `i` of `card`.
inline bool TypesSomething(const Format& format, const Card& card, std::size_t i) {
    const TrackSetting& track = format.tracks[i];
    return track.output && (!(track.start + card[i] + track.end).empty() || track.returnAfter);
}

inline settings::Setup FormOf(const Format& format) {
    settings::Setup form;
    for (std::size_t i = 0; i < 3; ++i) {
        const TrackSetting& track = format.tracks[i];
        form.format.outputTrack[i] = track.output;
        form.format.crAfterTrack[i] = track.returnAfter;
        if (!track.start.empty())
            form.format.sentinels[2 * i] = static_cast<std::uint8_t>(track.start[0]);
        if (!track.end.empty())
            form.format.sentinels[2 * i + 1] = static_cast<std::uint8_t>(track.end[0]);
    }
    form.format.crAfterPacket = format.returnAfterPacket;
    return form;
}

// Makes formats and cards from a source of numbers (`next(n)` gives one below n).
template <class Next>
class Maker {
public:
    explicit Maker(Next& next) : next_(next) {}

    std::string Sentinel() {
        static const char kPool[] = "%?;+#!$*&~@";
        if (next_(4) == 0)
            return "";
        return std::string(1, kPool[next_(sizeof(kPool) - 1)]);
    }

    Format MakeFormat() {
        Format format;
        const int tracks = 1 + next_(7);
        const bool perTrack = next_(2) == 0;
        for (std::size_t i = 0; i < 3; ++i) {
            TrackSetting& track = format.tracks[i];
            track.output = (tracks >> i) & 1;
            track.start = Sentinel();
            track.end = Sentinel();
            track.returnAfter = perTrack && track.output && next_(2) == 0;
        }
        format.returnAfterPacket = !perTrack && next_(2) == 0;
        Separate(format);
        return format;
    }

    // Something between each two output tracks: an end sentinel where there is none.
    static void Separate(Format& format) {
        const TrackSetting* before = nullptr;
        for (TrackSetting& track : format.tracks) {
            if (!track.output)
                continue;
            if (before != nullptr && before->end.empty() && !before->returnAfter &&
                track.start.empty())
                track.start = "#";
            before = &track;
        }
    }

    std::string Digits(int count) {
        std::string digits;
        for (int i = 0; i < count; ++i)
            digits += static_cast<char>('0' + next_(10));
        return digits;
    }

    // A bank card's number of 13 to 16 digits that passes its check digit.
    std::string Number() {
        std::string number = "4" + Digits(11 + next_(4));
        int sum = 0;
        for (std::size_t k = 0; k < number.size(); ++k) {
            int digit = number[number.size() - 1 - k] - '0';
            if (k % 2 == 0)
                digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
            sum += digit;
        }
        return number + static_cast<char>('0' + (10 - sum % 10) % 10);
    }

    Card MakeCard() {
        const std::string number = Number();
        const std::string expiry = Digits(7);
        Card card;
        if (next_(4) != 0)
            card[0] = "B" + number + "^" + Name() + "^" + expiry + Digits(next_(8));
        if (next_(4) != 0)
            card[1] = number + "=" + expiry + Digits(next_(8));
        if (next_(2) != 0)
            card[2] = "01" + number + "=" + Digits(3 + next_(10));
        return card;
    }

    std::string Name() {
        static const char* const kNames[] = {"TESTER/ANNA", "DOE/J.MR", "CARD HOLDER",
                                             "O'NEIL/PAT"};
        return kNames[next_(4)];
    }

private:
    Next& next_;
};

}  // namespace model
