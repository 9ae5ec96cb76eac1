// `zp350cli swipe`: one swipe read from standard input and checked against a format.
#pragma once

#include "cli/cli_run.h"
#include "cli/options.h"
#include "cli/swipe_input.h"

namespace cli {

// Prints the check (or its JSON) to standard output; "Swipe a card now" goes to standard
// error, and only to a console. Exit code 0 when the swipe matches, 1 when it differs, 3 when
// no swipe came in time, 4 when the profile cannot be read.
int RunSwipe(const Invocation& invocation, Console& console, SwipeSource& input);

}  // namespace cli
