// Card numbers hidden on screen: each run of 12 to 19 digits shows its first six and last four
// digits, the rest as '*'.
#pragma once

#include <string>

namespace swipe {

// `text` (UTF-8) with every run of 12 to 19 digits masked; other text as it is.
std::string MaskCardNumbers(const std::string& text);

}  // namespace swipe
