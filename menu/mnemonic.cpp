#include "menu/mnemonic.h"

namespace {
constexpr unsigned kPopupFlag = 0x10;
constexpr std::uint32_t kExecute = 2;
}  // namespace

std::uint32_t MnemonicAnswer(const std::vector<std::u16string>& labels, char16_t character,
                             unsigned menuFlags, const LowerCaseMapping& lower) {
    if ((menuFlags & kPopupFlag) == 0)
        return 0;
    const std::u16string key = lower(std::u16string{u'&', character});
    for (std::uint32_t position = 0; position < labels.size(); ++position) {
        if (lower(labels[position]).find(key) != std::u16string::npos)
            return (kExecute << 16) | position;
    }
    return 0;
}
