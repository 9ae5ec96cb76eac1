// Where `zp350cli swipe` reads one swipe from: standard input, a console or a pipe.
#pragma once

#include <optional>
#include <string>

namespace cli {

class SwipeSource {
public:
    virtual ~SwipeSource() = default;
    // Whether a person swipes at a console: then "Swipe a card now" is asked for, and the
    // swipe ends as in the window.
    virtual bool Interactive() = 0;
    // The characters of one swipe (UTF-8, carriage returns as '\r'); none when no key came
    // within `timeoutMs` at a console, or a pipe held nothing. A console's swipe ends after its `returns`-th
    // carriage return (0: none ends it) or after `pauseMs` without a key; a pipe's at its end,
    // with each line end (LF or CR LF) read as a carriage return.
    virtual std::optional<std::string> Read(int returns, unsigned pauseMs, unsigned timeoutMs) = 0;
};

// The program's standard input. A console is switched to raw, unechoed keys while it reads,
// so that the card data does not appear on the screen, and put back as it was.
SwipeSource& StandardInput();

}  // namespace cli
