// One swipe checked against the settings window's form: what the reader typed for one card,
// taken apart track by track and compared with what a reader set up with that form types.
//
// A reader types, for each track the form outputs, in the order 1, 2, 3: the track's start
// sentinel (none where the box is empty), the track's data with the original character of
// each enabled replacement pair replaced, its end sentinel (none where empty), and a carriage
// return where the form asks for one after that track; then a carriage return where the form
// asks for one after the packet.
//
// A track the card does not carry (nothing, or only its sentinels, typed for it) has no data;
// one the reader could not read has "E" in place of its data. Neither is a difference of the
// format. Where the form puts nothing between two of its tracks (no end sentinel, no carriage
// return, no start sentinel of the next), the tracks cannot be told apart: the check says so
// and does not guess.
//
// Text is UTF-8: a keyboard layout other than the reader's US one turns the keys it sends
// into characters outside ASCII.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/choices.h"

namespace swipe {

enum class TrackState {
    Read,        // data came for the track
    NoData,      // the card does not carry it: nothing, or only its sentinels
    Unreadable,  // the reader typed E in place of its data
};

struct TrackTyped {
    int track = 0;  // 1, 2 or 3
    TrackState state = TrackState::NoData;
    std::string typed;  // what was typed for it: sentinels and data, no carriage return
};

enum class DifferenceKind {
    StartSentinel,  // the start sentinel differs from the form's, or is missing or extra
    EndSentinel,    // the same for the end sentinel
    MissingReturn,  // the form asks for a carriage return that did not come
    ExtraReturn,    // a carriage return came that the form does not ask for
    NotReplaced,    // an original character of an enabled pair came in the data
    AfterPacket,    // text came after the whole packet
};

struct Difference {
    DifferenceKind kind = DifferenceKind::AfterPacket;
    int track = 0;         // 1, 2 or 3; 0 for the packet
    std::string expected;  // what the form asks for: a character, or "" for none
    std::string came;      // what came: a character, "" for none, or the text after the packet
};

struct SwipeCheck {
    bool matches = false;            // everything typed is what the form makes a reader type
    bool tracksApart = true;         // false: the form leaves two of its tracks without a boundary
    std::string layout;              // not empty: the typing matches once this keyboard layout is
                                     // undone ("Turkish (Q)"); then `differences` is empty
    std::vector<TrackTyped> tracks;  // each track the form outputs, in order; where `layout`
                                     // is set, as a US keyboard typed it (the layout undone)
    std::vector<Difference> differences;
};

// Checks `typed`, the characters of one swipe, against `form`.
SwipeCheck CheckSwipe(const settings::Setup& form, const std::string& typed);

// How many carriage returns a reader with `form` types for one swipe: after the last of them
// the swipe is complete. 0: it ends without one (then a pause ends it).
int ReturnsPerSwipe(const settings::Setup& form);

// What a reader set up with `form` types for a card whose tracks 1, 2 and 3 hold `tracks`
// (an empty one: the card does not carry that track; the reader then types its sentinels
// alone).
std::string TypedFor(const settings::Setup& form, const std::array<std::string, 3>& tracks);

}  // namespace swipe
