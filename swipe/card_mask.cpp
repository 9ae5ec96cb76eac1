#include "swipe/card_mask.h"

#include <vector>

#include "swipe/keyboard_layouts.h"
#include "swipe/typed_text.h"

namespace swipe {
namespace {

constexpr std::size_t kShortestNumber = 12;
constexpr std::size_t kLongestNumber = 19;
constexpr std::size_t kShownFirst = 6;
constexpr std::size_t kShownLast = 4;

using Digits = std::vector<std::string>;  // what a keyboard types for the keys 0 to 9

// The US digits, and those of each common layout that types other characters for the digit
// keys (AZERTY types its symbols there unshifted), so that a number read through it is
// hidden as well.
const std::vector<Digits>& DigitRows() {
    static const std::vector<Digits> rows = [] {
        std::vector<Digits> all;
        Digits us;
        for (char digit = '0'; digit <= '9'; ++digit)
            us.push_back(std::string(1, digit));
        all.push_back(us);
        for (std::size_t i = 0; i < CommonLayoutCount(); ++i) {
            Digits typed;
            for (const std::string& digit : us)
                typed.push_back(ThroughLayout(CommonLayouts()[i], digit));
            if (typed != us)
                all.push_back(typed);
        }
        return all;
    }();
    return rows;
}

bool IsDigit(const Digits& digits, const std::string& character) {
    for (const std::string& digit : digits)
        if (digit == character)
            return true;
    return false;
}

// Masks each run of 12 to 19 characters of `digits` in `characters`. A longer run is no
// card number (a card number has at most 19 digits) and stays as it is.
void MaskRuns(const Digits& digits, std::vector<std::string>& characters) {
    std::size_t runStart = 0;
    for (std::size_t at = 0; at <= characters.size(); ++at) {
        if (at < characters.size() && IsDigit(digits, characters[at]))
            continue;
        const std::size_t length = at - runStart;
        if (length >= kShortestNumber && length <= kLongestNumber)
            for (std::size_t i = runStart + kShownFirst; i < at - kShownLast; ++i)
                characters[i] = "*";
        runStart = at + 1;
    }
}

}  // namespace

std::string MaskCardNumbers(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharacterLength(text, at);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    for (const Digits& digits : DigitRows())
        MaskRuns(digits, characters);
    std::string masked;
    for (const std::string& character : characters)
        masked += character;
    return masked;
}

}  // namespace swipe
