// What `zp350cli swipe` prints: the check's lines, or one JSON object for scripts. Card
// numbers are masked unless `showAll`.
#pragma once

#include <string>

#include "swipe/swipe_check.h"

namespace cli {

// One line per track the format outputs, then the verdict and its lines (UTF-8).
std::string SwipeText(const swipe::SwipeCheck& check, bool showAll);
// {"tracks": [{"track": 1, "state": "read", "typed": "%B…?"}, ...], "matches": true,
//  "layout": null, "tracksApart": true, "differences": ["Track 1: …", ...]}
std::string SwipeJson(const swipe::SwipeCheck& check, bool showAll);

}  // namespace cli
