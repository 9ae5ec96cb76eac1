// Where the card number and the discretionary data sit in a track's data (the characters
// between its sentinels), as ISO/IEC 7813 and 4909 lay the tracks out:
//   track 1  format code, card number, '^', name, '^', expiry date (4), service code (3),
//            discretionary data
//   track 2  card number, '=', expiry date (4), service code (3), discretionary data
//   track 3  format code (2 digits), card number, '=', further fields
// A field separator that is missing makes the number run to the end of the data; a track 1
// without its second separator, or a track 3, hides nothing after the number.
#pragma once

#include <optional>
#include <string_view>

#include "swipe/card_mask.h"

namespace swipe {

struct TrackFields {
    Field number;
    Field discretionary;  // size 0: none
};

TrackFields FieldsOf(int track, std::string_view data);

// The card number a track holds, when it has its field separator after it.
std::optional<std::string_view> CardNumberOf(int track, std::string_view data);

}  // namespace swipe
