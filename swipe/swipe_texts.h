// What the swipe check shows, in English and Chinese: the typed text as the capture box shows
// it, one line per track, and the verdict with one line per difference. Card numbers are
// masked by the one rule of swipe/shown_text.h: first where the check found them (each
// track's number field and discretionary data), then wherever a number could be read.
#pragma once

#include <vector>

#include "swipe/card_text.h"
#include "swipe/shown_text.h"
#include "swipe/swipe_check.h"

namespace swipe {

// How `form`'s swipe is shown: in full or masked, with the digits its pairs replace.
ShowRule RuleFor(const settings::Setup& form, bool showAll);

// The typed text for the capture box: numbers masked, a carriage return as a visible mark
// and a line break ("\u21B5\r\n"), control characters and invisible ones escaped. The fields
// of each track it holds as `form` types them are masked in place; until the swipe is
// `complete`, a number at its end may still grow and shows its first six digits only.
CardWide CaptureText(const settings::Setup& form, std::string_view typed, bool complete,
                     const ShowRule& rule);

// What was typed for a track (sentinels and data), as `use` shows it: its number field masked
// and its discretionary data hidden where it was read, then by the one rule.
CardText TypedShown(const TrackTyped& track, const ShowRule& rule, settings::EscapeFor use);

// A sentinel or check character the check read as one: a digit hidden, a layout's digit key
// not.
CardText SentinelShown(std::string_view character, const ShowRule& rule, settings::EscapeFor use);

// "Track 1: %B5217…?" / "Track 3: no data on track 3" / "track 2 could not be read", one per
// track the form outputs; then the verdict: "Matches the format.", or "Differs from the
// format:" and one line per difference, or the line of a keyboard layout or Caps Lock, or
// the line that the tracks cannot be told apart; then what the card disagrees with itself;
// then what the swipe did not show (after "Agrees with the format as far as this swipe
// shows:" where nothing differs).
std::vector<CardWide> ResultLines(const SwipeCheck& check, bool english, const ShowRule& rule);

// The result box: the lines one under the other, masked once more as a whole, as a reader
// reads on from one line into the next.
CardWide ResultText(const SwipeCheck& check, bool english, const ShowRule& rule);

// The findings alone, as ResultLines ends with them (none when the swipe matches): what makes
// the swipe differ, and what the card disagrees with itself.
std::vector<CardWide> DifferenceLines(const SwipeCheck& check, bool english, const ShowRule& rule);

// What the swipe did not show, one line each, as ResultLines ends with them.
std::vector<CardWide> UnseenLines(const SwipeCheck& check, bool english);

// "Waiting for a swipe..." before the first key; with Caps Lock on, the warning instead.
const wchar_t* WaitingText(bool english, bool capsLockOn);

}  // namespace swipe
