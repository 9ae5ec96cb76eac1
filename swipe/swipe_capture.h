// When a swipe is complete, decided here for the swipe window and the companion's console
// alike. A reader types a swipe as fast as it can: it is complete when the reader stops
// typing, once no key has come for a pause, never at a count of carriage returns taken from
// a form (the reader's format is what the check finds out). A swipe of blanks and carriage
// returns alone (an Enter pressed, an empty line) is none: it is wiped and the capture waits
// on.
#pragma once

#include "swipe/card_text.h"

namespace swipe {

class SwipeCapture {
public:
    // How long after the last key a swipe counts as complete: far longer than a reader takes
    // between two keys, short enough for the verdict to follow the swipe at once.
    static constexpr unsigned kPauseMs = 60;

    enum class Step {
        Complete,  // the swipe is complete: check it
        Nothing,   // what came was no swipe and is wiped: wait for one
    };

    // One character as the system gives it (a UTF-16 unit on Windows): the swipe goes on.
    void Add(wchar_t c);
    // No key came for the pause: complete, unless nothing or no swipe came.
    Step Pause();

    const CardWide& Typed() const { return typed_; }
    bool Empty() const { return typed_.empty(); }
    void Clear();  // wipes what came

private:
    CardWide typed_;
};

}  // namespace swipe
