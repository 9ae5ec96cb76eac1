// Card numbers hidden on screen: each run of 12 to 19 digits shows its first six and last four
// digits, the rest as '*'.
#pragma once

#include <string>

namespace swipe {

// `text` (UTF-8) with every run of 12 to 19 digits masked; other text as it is. A run longer
// than 19 digits is no card number and stays. Digits are those of a US keyboard, and the
// characters a common layout types for the digit keys (AZERTY: &é"'(-è_çà), so that a number
// read through that layout is hidden too; a run is of one keyboard's digits only.
std::string MaskCardNumbers(const std::string& text);

}  // namespace swipe
