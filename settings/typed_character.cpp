#include "settings/typed_character.h"

#include "settings/quoting.h"

namespace settings {

CharacterFault CheckTypedCharacter(const std::string& value) {
    if (value.empty())
        return CharacterFault::None;
    const auto first = static_cast<unsigned char>(value[0]);
    if (first >= 0x80)
        return CharacterFault::NotAscii;
    if (value.size() > 1)
        return CharacterFault::MoreThanOne;
    if (first == ' ')
        return CharacterFault::Blank;
    if (first < 0x20 || first == 0x7F)
        return CharacterFault::NotPrintable;
    return CharacterFault::None;
}

std::optional<std::uint8_t> TypedCharacter(const std::string& value) {
    if (value.empty() || CheckTypedCharacter(value) != CharacterFault::None)
        return std::nullopt;
    return static_cast<std::uint8_t>(value[0]);
}

std::string CharacterFaultText(const std::string& value, CharacterFault fault, bool english) {
    const char* reason = "";
    switch (fault) {
        case CharacterFault::NotAscii:
            reason = english ? " is not a plain ASCII character" : " 不是普通的 ASCII 字符";
            break;
        case CharacterFault::MoreThanOne:
            reason = english ? " is more than one character" : " 多于一个字符";
            break;
        case CharacterFault::Blank:
            reason = english ? " is a blank: the reader needs a printable character"
                             : " 是空格：读卡器需要可打印字符";
            break;
        case CharacterFault::NotPrintable:
            reason = english ? " is not a printable character" : " 不是可打印字符";
            break;
        case CharacterFault::None:
            break;
    }
    return Quoted(value) + reason;
}

}  // namespace settings
