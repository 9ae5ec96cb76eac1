// Card data hidden wherever text is shown, denied by default: every character that is a
// digit, or may stand for one, shows as '*', but for the first six and the last four digits of
// a card number the check found (as the card industry's data security standard, PCI DSS,
// allows). Digits are those of every script, the characters a form's pairs put in place of
// digits and, where the check did not read the text as a track's, what the digit keys of the
// known keyboard layouts type there (`&é"'(` on a French keyboard). Sentinels, separators,
// letters and lengths stay visible.
//
// Besides, numbers of 12 digits or more are masked in lines that are composed or escaped
// (MaskNumbers), the fallback for text no check has read.
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
    // How many digits make a number, whether a number keeps its first six and last four,
    // and whether what the layouts' digit keys type is read as digits too.
    std::size_t shortest = 12;
    bool keepEnds = true;
    bool layouts = true;
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

// What the check knows of a text.
struct Visible {
    std::vector<Field> shown;   // characters shown as they are, digits included
    std::vector<Field> hidden;  // characters hidden whatever they are
    std::vector<Field> known;   // read as a track's: a layout's digit keys there are no digits
};

// Adds to `visible` a track at `piece` of `text` whose card number is `number` (its first six
// and last four characters shown where it has 12 or more, none where fewer; its first six
// only where the number `mayGoOn`, the text still being typed) and whose discretionary data
// is `hidden`.
void AddTrack(std::string_view text, Field piece, Field number, Field hidden, bool mayGoOn,
              Visible& visible);

// `text` with every digit (see above) shown as '*' but those `visible` shows.
CardText HideDigits(std::string_view text, const Visible& visible, const MaskOptions& options);

}  // namespace swipe
