// What the swipe check shows, in English and Chinese: the typed text as the capture box shows
// it, one line per track, and the verdict with one line per difference. Card numbers are
// masked unless `showAll`.
#pragma once

#include <string>
#include <vector>

#include "swipe/swipe_check.h"

namespace swipe {

// The typed text for the capture box: numbers masked, a carriage return as a visible mark
// and a line break ("\u21B5\r\n"), other control characters as \xNN.
std::wstring CaptureText(const std::string& typed, bool showAll);

// "Track 1: %B5217…?" / "Track 3: no data on track 3" / "track 2 could not be read", one per
// track the form outputs; then "Matches the format." or "Differs from the format:" and one
// line per difference, or the layout's line, or the line that the tracks cannot be told apart.
std::vector<std::wstring> ResultLines(const SwipeCheck& check, bool english, bool showAll);

// What makes the swipe differ, as ResultLines ends with it: one line per difference, or the
// one line that stands for them (a keyboard layout; tracks that cannot be told apart); none
// when the swipe matches.
std::vector<std::wstring> DifferenceLines(const SwipeCheck& check, bool english, bool showAll);

// "Waiting for a swipe..." before the first key.
const wchar_t* WaitingText(bool english);

}  // namespace swipe
