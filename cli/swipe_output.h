// What `zp350cli swipe` prints for each swipe: the check's lines, or one JSON object (one
// line) for scripts. Card numbers are shown by the one rule of swipe/shown_text.h.
#pragma once

#include "swipe/card_text.h"
#include "swipe/shown_text.h"
#include "swipe/swipe_check.h"

namespace cli {

// One line per track the format outputs, then the verdict and its lines (UTF-8). Of several
// swipes, each begins with "Swipe 2 of 3:" (`number` of `count`), after a blank line but the
// first; one alone does not.
swipe::CardText SwipeText(const swipe::SwipeCheck& check, const swipe::ShowRule& rule,
                          int number = 1, int count = 1);
// {"swipe": 1, "tracks": [{"track": 1, "state": "read", "typed": "%B…?"}, ...],
//  "matches": true, "layouts": [], "capsLock": false, "tracksApart": true,
//  "differences": ["Track 1: …", ...]} and a line end.
swipe::CardText SwipeJson(const swipe::SwipeCheck& check, const swipe::ShowRule& rule,
                          int number = 1);

}  // namespace cli
