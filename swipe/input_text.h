// What a file or a pipe hands the companion's swipe check: its bytes decoded into text, and
// the text cut into its swipes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "swipe/card_text.h"

namespace swipe {

// The most a file or pipe may hold: a reader types a few hundred characters per swipe.
constexpr std::size_t kMaxInputBytes = std::size_t{64} * 1024;

struct InputText {
    CardText text;        // UTF-8, each line end a carriage return
    std::string refusal;  // not empty: why the input is no text to check, one line
};

// `bytes`, of which no more than kMaxInputBytes + 1 need be read: more is refused, never cut.
// A byte-order mark first is no character. UTF-16 (as Notepad saves "Unicode"), with its mark
// or without (most of its characters ASCII, every other byte zero), is decoded; UTF-16 that
// is not well formed is refused, naming the encoding. Anything else is UTF-8, its stray bytes
// shown escaped later. A line end (LF, CR LF or CR) becomes one carriage return.
InputText DecodeInput(std::string_view bytes);

// The swipes of `text` in order, each with its line ends: cut at blank lines (of blanks
// alone, or empty), and between them where one swipe ends and the next begins (one per line,
// or none between them: SwipeStarts in swipe/swipe_check.h). None when the text holds nothing
// but blanks.
std::vector<CardText> SplitSwipes(std::string_view text);

}  // namespace swipe
