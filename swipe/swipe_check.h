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
// into other characters, and Caps Lock turns the case of letters. Track 1 holds no small
// letters, so small letters there mean Caps Lock. A swipe that only reads right through
// another layout, or with the case of its letters turned, does not match: the check names the
// layouts (every one that types the swipe so) or Caps Lock instead.
//
// Where the format matches, the card is checked against itself: a bank card's number on
// track 1 and track 2 must be the same and pass its check digit (Luhn); otherwise it was
// likely misread.
#pragma once

#include <array>
#include <vector>

#include "settings/choices.h"
#include "swipe/card_mask.h"
#include "swipe/card_text.h"
#include "swipe/keyboard_layouts.h"

namespace swipe {

enum class TrackState {
    Read,        // data came for the track
    NoData,      // the card does not carry it: nothing, or only its sentinels
    Unreadable,  // the reader typed E in place of its data
};

struct TrackTyped {
    int track = 0;  // 1, 2 or 3
    TrackState state = TrackState::NoData;
    CardText typed;      // what was typed for it: sentinels and data, no carriage return
    std::size_t at = 0;  // where `typed` starts in the text the tracks were read from
    Field data;          // the data within `typed`
};

enum class DifferenceKind {
    StartSentinel,     // the start sentinel differs from the form's, or is missing or extra
    EndSentinel,       // the same for the end sentinel
    AfterEndSentinel,  // one character after the end sentinel: a check character the reader
                       // sends (its LRC)
    MissingReturn,     // the form asks for a carriage return that did not come
    ExtraReturn,       // a carriage return came that the form does not ask for
    NotReplaced,       // an original character of an enabled pair came in the data
    AfterPacket,       // text came after the whole packet
};

struct Difference {
    DifferenceKind kind = DifferenceKind::AfterPacket;
    int track = 0;      // 1, 2 or 3; 0 for the packet
    CardText expected;  // what the form asks for: a character, or "" for none
    CardText came;      // what came: a character, "" for none, or the text after the packet
};

// The card disagrees with itself.
enum class CardProblem {
    NumbersDiffer,  // track 1 and track 2 hold different card numbers
    CheckDigit,     // a bank card's number fails its check digit
};

struct CardFinding {
    CardProblem problem = CardProblem::CheckDigit;
    int track = 0;    // CheckDigit: the track whose number fails
    CardText number;  // the number (track 1's where they differ)
    CardText other;   // NumbersDiffer: track 2's number
};

struct SwipeCheck {
    bool matches = false;     // everything typed is what the form makes a reader type, and the
                              // card agrees with itself
    bool tracksApart = true;  // false: the form leaves two of its tracks without a boundary
    bool capsLock = false;    // the letters came in the other case: Caps Lock was on
    // The layouts that type the swipe as it came, every one of them; empty for a US keyboard.
    // Where this or `capsLock` is set, `tracks` are as a US keyboard without Caps Lock typed
    // them, and `differences` are those that remain then.
    std::vector<const KeyboardLayout*> layouts;
    std::vector<TrackTyped> tracks;  // each track the form outputs, in order
    std::vector<Difference> differences;
    std::vector<CardFinding> findings;
};

// Checks `typed`, the characters of one swipe, against `form`.
SwipeCheck CheckSwipe(const settings::Setup& form, std::string_view typed);

// The tracks of `typed` as they came, read as the check reads them but with no keyboard layout
// considered; none where the form's tracks cannot be told apart. Also for a swipe still being
// typed.
std::vector<TrackTyped> TracksAsTyped(const settings::Setup& form, std::string_view typed);

// How many carriage returns a reader with `form` types for one swipe: after the last of them
// the swipe is complete. 0: it ends without one (then a pause ends it).
int ReturnsPerSwipe(const settings::Setup& form);

// What a reader set up with `form` types for a card whose tracks 1, 2 and 3 hold `tracks`
// (an empty one: the card does not carry that track; the reader then types its sentinels
// alone).
CardText TypedFor(const settings::Setup& form, const std::array<CardText, 3>& tracks);

// The characters that the form's enabled pairs put in place of digits: a number typed with
// them still reads as one.
std::vector<char32_t> DigitReplacements(const settings::Setup& form);

}  // namespace swipe
