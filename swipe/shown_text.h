// The one rule by which text that may hold card data is shown, in both boxes of the swipe
// window and in every line, JSON string and error line of the companion: every digit hidden
// but what the check knows may show (swipe/card_mask.h) unless the person asked to see them,
// then the text escaped (settings/quoting.h), then numbers masked once more, so that what an
// escape stands for cannot join digits around it into a number.
#pragma once

#include <string_view>

#include "settings/quoting.h"
#include "swipe/card_mask.h"
#include "swipe/card_text.h"

namespace swipe {

struct ShowRule {
    bool showAll = false;  // the person asked to see card numbers in full
    MaskOptions mask;
};

// Text the check did not read: every digit hidden.
CardText ShownText(std::string_view text, const ShowRule& rule,
                   settings::EscapeFor use = settings::EscapeFor::Line);
// Text of which the check knows what `visible` says.
CardText ShownText(std::string_view text, const Visible& visible, const ShowRule& rule,
                   settings::EscapeFor use = settings::EscapeFor::Line);

// A line put together from texts already shown (quotes, brackets, names and the pieces of
// card data between them) masked once more as a whole: a quote around a piece may be what a
// layout's digit key types, and join the digits inside it to those around it.
CardText ShownLine(std::string_view composed, const ShowRule& rule);

// A line already escaped (an error line that quotes what a person gave, a profile's line)
// with its numbers masked, and every digit hidden of each run of more digits (of a script)
// than the first six of a number.
CardText MaskedLine(std::string_view escaped);

}  // namespace swipe
