// Where `zp350cli swipe` reads its swipes from: standard input, a console or a pipe.
#pragma once

#include <cstddef>
#include <optional>

#include "swipe/card_text.h"

namespace cli {

class SwipeSource {
public:
    virtual ~SwipeSource() = default;
    // Whether a person swipes at a console: then "Swipe a card now" is asked for, and one
    // swipe is read as the window reads it.
    virtual bool Interactive() = 0;
    // A console: the characters of one swipe (UTF-8, carriage returns as '\r'), every key
    // of it, complete when the reader stops typing (swipe::SwipeCapture); none when no swipe
    // came within `timeoutMs` or Ctrl+C gave up.
    virtual std::optional<swipe::CardText> ReadSwipe(unsigned timeoutMs) = 0;
    // A pipe or a file: its bytes as they are, no more than `limit` of them.
    virtual swipe::CardText ReadAll(std::size_t limit) = 0;
};

// The program's standard input. A console is switched to raw, unechoed keys while it reads,
// so that the card data does not appear on the screen, and put back as it was: when the
// swipe is read, and also when Ctrl+Break ends the program or the console window closes.
SwipeSource& StandardInput();

}  // namespace cli
