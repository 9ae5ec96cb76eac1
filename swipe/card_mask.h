// Card numbers hidden wherever text is shown. A shown card number keeps at most its first six
// and its last four digits, as the card industry's data security standard (PCI DSS) allows;
// the digits between them become '*'.
//
// Masked by what is known first: where a track's place in a swipe is known, its card number
// is its first field (after the format code on tracks 1 and 3, up to the field separator on
// track 2), masked whatever its characters are, and the discretionary data after the expiry
// date and the service code (tracks 1 and 2), which can hold verification values, is hidden
// whole (swipe/track_fields.h). Then by what is feared: anything else that could be read as a
// number of 12 digits or more is masked too, however long.
#pragma once

#include <string_view>
#include <vector>

#include "swipe/card_text.h"

namespace swipe {

struct MaskOptions {
    // Characters that stand for digits besides the digits of every script and what the digit
    // keys of the known keyboard layouts type: the replacements a form's pairs put in place of
    // digits.
    std::vector<char32_t> digits;
    // The text is still growing (a swipe being typed): a number at its end may go on, so it
    // keeps only its first six digits.
    bool open = false;
    // The text is shown escaped (settings/quoting.h): an escape stands where a character that
    // shows nothing was, and is read as the separator it replaced, its hexadecimal digits no
    // digits.
    bool escaped = false;
};

// `text` (UTF-8) with each number of 12 or more digits masked. A number is a run of digits of
// one reading (the digits of every script and the form's replacements, or what one known
// layout's digit keys type), with any blanks, dashes, dots, commas, underscores, controls or
// invisible characters between them; a byte that is no UTF-8 counts as such a separator.
// Separators stay as they are.
CardText MaskNumbers(std::string_view text, const MaskOptions& options);

// A field of a track: `size` bytes from `at`, on character boundaries.
struct Field {
    std::size_t at = 0;
    std::size_t size = 0;
};

// `text` with the characters of `number` masked as a card number (more than ten keep their
// first six and last four, the others become '*'; ten or fewer are no card number of 12
// digits or more and stay) and each character of `hidden` as '*'. A number that `mayGoOn`
// (the text is still being typed) keeps its first six characters only.
CardText MaskFields(std::string_view text, Field number, Field hidden, bool mayGoOn = false);

}  // namespace swipe
