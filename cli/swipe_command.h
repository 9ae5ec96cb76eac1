// `zp350cli swipe`: swipes read from standard input and checked against a format.
#pragma once

#include "cli/cli_run.h"
#include "cli/options.h"
#include "cli/swipe_input.h"

namespace cli {

// Prints each swipe's check (or its JSON) to standard output, numbered where a pipe or file
// holds several; "Swipe a card now" goes to standard error, and only to a console. Exit code
// 0 when every swipe matches, 1 when one differs, 3 when no swipe came (in time), 4 when the
// profile or the input cannot be read.
int RunSwipe(const Invocation& invocation, Console& console, SwipeSource& input);

}  // namespace cli
