#include "menu/mnemonic.h"

namespace {
constexpr unsigned kPopupFlag = 0x10;
constexpr std::uint32_t kExecute = 2;

// Latin Extended-A: capitals sit on even code points in 0x100-0x137 and 0x14A-0x177 and on
// odd ones in 0x139-0x148 and 0x179-0x17E, each followed by its small letter.
bool IsPairedCapital(char16_t c) {
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c % 2 == 0 && c != 0x130;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 1;
    return false;
}
}  // namespace

char16_t LowerCaseLetter(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    if (IsPairedCapital(c))
        return static_cast<char16_t>(c + 1);
    if (c == 0x130)
        return u'i';
    if (c == 0x178)
        return 0xFF;
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

std::u16string LowerCase(std::u16string text) {
    for (char16_t& c : text)
        c = LowerCaseLetter(c);
    return text;
}

std::uint32_t MnemonicAnswer(const std::vector<std::u16string>& labels, char16_t character,
                             unsigned menuFlags) {
    if ((menuFlags & kPopupFlag) == 0)
        return 0;
    const std::u16string key = LowerCase(std::u16string{u'&', character});
    for (std::uint32_t position = 0; position < labels.size(); ++position) {
        if (LowerCase(labels[position]).find(key) != std::u16string::npos)
            return (kExecute << 16) | position;
    }
    return 0;
}
