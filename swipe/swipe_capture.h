// When a swipe is complete, decided here for the swipe window and the companion's console
// alike. A reader types a swipe as fast as it can: it is complete after the last carriage
// return its form asks for, or, where the form asks for none (or the last did not come), once
// no key has come for a pause. A swipe of blanks and carriage returns alone (an Enter
// pressed, an empty line) is none: it is wiped and the capture waits on.
#pragma once

#include "settings/choices.h"
#include "swipe/card_text.h"

namespace swipe {

class SwipeCapture {
public:
    // How long after the last key a swipe counts as complete when no carriage return ends it.
    static constexpr unsigned kPauseMs = 1000;

    enum class Step {
        Typing,    // the swipe goes on: wait for the next key, at most the pause
        Complete,  // the swipe is complete: check it
        Nothing,   // what came was no swipe and is wiped: wait for one
    };

    explicit SwipeCapture(const settings::Setup& form);

    // One character as the system gives it (a UTF-16 unit on Windows).
    Step Add(wchar_t c);
    // No key came for the pause: complete, unless nothing or no swipe came.
    Step Pause();

    const CardWide& Typed() const { return typed_; }
    bool Empty() const { return typed_.empty(); }
    void Clear();  // wipes what came

private:
    Step Ended();

    int returnsPerSwipe_;
    int returns_ = 0;
    CardWide typed_;
};

}  // namespace swipe
