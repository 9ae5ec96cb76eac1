// One swipe checked against the settings window's form. The check first reads, from the
// typed text alone, what the reader is set to, then compares that with the form setting by
// setting.
//
// A reader types, for each track it outputs, in the order 1, 2, 3: the track's start
// sentinel (none where its box is empty), the track's data with the original character of
// each enabled replacement pair replaced, its end sentinel (none where empty), and a carriage
// return where its format asks for one after that track; or a carriage return after the
// whole packet. The data says which track it is:
//   track 1  a format-code letter, the number, '^', a name, '^', then digits and capitals
//   track 2  the number, '=', then digits
//   track 3  three digits or more (a format code and the number), '=' between its fields
// So the check reads back the tracks output, each one's sentinels and where the carriage
// returns come, with no form at hand; the form only chooses among readings that type the
// swipe alike (a character between two tracks may be the end of one or the start of the
// next).
//
// What a swipe cannot show is said, never called a match: nothing typed for a track the form
// asks for (a card without that track types the same), and a swipe with no data on any track
// ("E" where the reader could not read a track, nothing between the sentinels of one the card
// does not carry): which track each piece is is then told by its place alone.
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
    NoData,      // nothing, or only its sentinels, came for it
    Unreadable,  // the reader typed E in place of its data
};

struct TrackTyped {
    int track = 0;  // 1, 2 or 3
    TrackState state = TrackState::NoData;
    CardText typed;      // what was typed for it: sentinels and data, no carriage return
    std::size_t at = 0;  // where `typed` starts in the text the tracks were read from
    Field data;          // the data within `typed`
};

// The reader's format as the swipe shows it.
struct ReadTrackFormat {
    int track = 0;   // 1, 2 or 3
    CardText start;  // "" for none
    CardText end;
    bool returnAfter = false;
};

struct ReadFormat {
    std::vector<ReadTrackFormat> tracks;  // in the order typed
    bool returnAfterPacket = false;
};

enum class DifferenceKind {
    Tracks,            // the reader outputs a track the form leaves out
    StartSentinel,     // the reader's start sentinel of a track differs from the form's
    EndSentinel,       // the same for the end sentinel
    AfterEndSentinel,  // one character after the end sentinel: a check character the reader
                       // sends (its LRC)
    Returns,           // the carriage returns come after other tracks, or the packet
    NotReplaced,       // an original character of an enabled pair came in the data
    AfterPacket,       // text came that no reading of a reader's format types
};

struct Difference {
    DifferenceKind kind = DifferenceKind::AfterPacket;
    int track = 0;      // 1, 2 or 3; 0 for the packet
    CardText expected;  // what the form asks for: a character, or "" for none
    CardText came;      // what the reader types: a character, "" for none, or the text left
};

enum class UnseenKind {
    NothingTyped,  // nothing came for a track the form asks for
    NoTrackData,   // no track held data ("E" or nothing between the sentinels of each)
};

struct Unseen {
    UnseenKind kind = UnseenKind::NoTrackData;
    int track = 0;  // 0 for NoTrackData
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
    bool matches = false;      // every setting of the form was seen and is the reader's, and
                               // the card agrees with itself
    bool agreesSoFar = false;  // no difference, but something the form sets was not seen
    bool tracksApart = true;   // false: the form leaves two of its tracks without a boundary
    bool capsLock = false;     // the letters came in the other case: Caps Lock was on
    // The layouts that type the swipe as it came, every one of them; empty for a US keyboard.
    // Where this or `capsLock` is set, `tracks` are as a US keyboard without Caps Lock typed
    // them, and `differences` are those that remain then.
    std::vector<const KeyboardLayout*> layouts;
    std::vector<TrackTyped> tracks;  // each track the reader or the form outputs, in order
    ReadFormat format;               // the reader's format, read back
    std::vector<Difference> differences;
    std::vector<Unseen> unseen;
    std::vector<CardFinding> findings;
};

// Checks `typed`, the characters of one swipe, against `form`.
SwipeCheck CheckSwipe(const settings::Setup& form, std::string_view typed);

// The tracks of `typed` as they came, read back as the check reads them but with no keyboard
// layout considered. Also for a swipe still being typed.
std::vector<TrackTyped> TracksAsTyped(const settings::Setup& form, std::string_view typed);

// Where in `text`, which holds whole swipes typed one after another, each swipe after the
// first begins: where a track comes whose data is that of a track the swipe before already
// had or of an earlier one (a reader types tracks in the order 1, 2, 3). The swipe before
// ends after its last carriage return there; with none, before the start sentinel its first
// track opened with, or after the end sentinel of its last track. Swipes with no data on any
// track cannot be told apart.
std::vector<std::size_t> SwipeStarts(std::string_view text);

// What a reader set up with `form` types for a card whose tracks 1, 2 and 3 hold `tracks`
// (an empty one: the card does not carry that track; the reader then types its sentinels
// alone).
CardText TypedFor(const settings::Setup& form, const std::array<CardText, 3>& tracks);

// The characters that the form's enabled pairs put in place of digits: a number typed with
// them still reads as one.
std::vector<char32_t> DigitReplacements(const settings::Setup& form);

}  // namespace swipe
