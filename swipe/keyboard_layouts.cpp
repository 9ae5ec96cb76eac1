#include "swipe/keyboard_layouts.h"

#include <iterator>

#include "swipe/typed_text.h"

namespace swipe {
namespace {

// Each table: the US character of a key (with or without shift) and what the layout types
// with the same key and shift state. A dead key stands as its accent; a key that types
// nothing in that state, as "".

const LayoutKey kGerman[] = {
    {'`', "^"},  {'~', "°"}, {'@', "\""}, {'#', "§"}, {'^', "&"},  {'&', "/"}, {'*', "("},
    {'(', ")"},  {')', "="}, {'-', "ß"},  {'_', "?"}, {'=', "´"},  {'+', "`"}, {'y', "z"},
    {'Y', "Z"},  {'z', "y"}, {'Z', "Y"},  {'[', "ü"}, {'{', "Ü"},  {']', "+"}, {'}', "*"},
    {'\\', "#"}, {'|', "'"}, {';', "ö"},  {':', "Ö"}, {'\'', "ä"}, {'"', "Ä"}, {'<', ";"},
    {'>', ":"},  {'/', "-"}, {'?', "_"},
};

// The digit row types its symbols unshifted and the digits shifted.
const LayoutKey kFrench[] = {
    {'`', "²"}, {'~', ""},  {'1', "&"}, {'!', "1"},  {'2', "é"},  {'@', "2"}, {'3', "\""},
    {'#', "3"}, {'4', "'"}, {'$', "4"}, {'5', "("},  {'%', "5"},  {'6', "-"}, {'^', "6"},
    {'7', "è"}, {'&', "7"}, {'8', "_"}, {'*', "8"},  {'9', "ç"},  {'(', "9"}, {'0', "à"},
    {')', "0"}, {'-', ")"}, {'_', "°"}, {'q', "a"},  {'Q', "A"},  {'w', "z"}, {'W', "Z"},
    {'[', "^"}, {'{', "¨"}, {']', "$"}, {'}', "£"},  {'\\', "*"}, {'|', "µ"}, {'a', "q"},
    {'A', "Q"}, {';', "m"}, {':', "M"}, {'\'', "ù"}, {'"', "%"},  {'z', "w"}, {'Z', "W"},
    {'m', ","}, {'M', "?"}, {',', ";"}, {'<', "."},  {'.', ":"},  {'>', "/"}, {'/', "!"},
    {'?', "§"},
};

const LayoutKey kTurkishQ[] = {
    {'`', "\""}, {'~', "é"}, {'@', "'"},  {'#', "^"}, {'$', "+"}, {'^', "&"},  {'&', "/"},
    {'*', "("},  {'(', ")"}, {')', "="},  {'-', "*"}, {'_', "?"}, {'=', "-"},  {'+', "_"},
    {'i', "ı"},  {'[', "ğ"}, {'{', "Ğ"},  {']', "ü"}, {'}', "Ü"}, {'\\', ","}, {'|', ";"},
    {';', "ş"},  {':', "Ş"}, {'\'', "i"}, {'"', "İ"}, {',', "ö"}, {'<', "Ö"},  {'.', "ç"},
    {'>', "Ç"},  {'/', "."}, {'?', ":"},
};

const LayoutKey kSpanish[] = {
    {'`', "º"},  {'~', "ª"}, {'@', "\""}, {'#', "·"},  {'^', "&"}, {'&', "/"}, {'*', "("},
    {'(', ")"},  {')', "="}, {'-', "'"},  {'_', "?"},  {'=', "¡"}, {'+', "¿"}, {'[', "`"},
    {'{', "^"},  {']', "+"}, {'}', "*"},  {'\\', "ç"}, {'|', "Ç"}, {';', "ñ"}, {':', "Ñ"},
    {'\'', "´"}, {'"', "¨"}, {'<', ";"},  {'>', ":"},  {'/', "-"}, {'?', "_"},
};

const LayoutKey kUk[] = {
    {'~', "¬"}, {'@', "\""}, {'#', "£"}, {'"', "@"}, {'\\', "#"}, {'|', "~"},
};

const KeyboardLayout kLayouts[] = {
    {"German", "德语", kGerman, std::size(kGerman)},
    {"French (AZERTY)", "法语 (AZERTY)", kFrench, std::size(kFrench)},
    {"Turkish (Q)", "土耳其语 (Q)", kTurkishQ, std::size(kTurkishQ)},
    {"Spanish", "西班牙语", kSpanish, std::size(kSpanish)},
    {"UK English", "英语（英国）", kUk, std::size(kUk)},
};

}  // namespace

const KeyboardLayout* CommonLayouts() {
    return kLayouts;
}

std::size_t CommonLayoutCount() {
    return std::size(kLayouts);
}

std::string UndoLayout(const KeyboardLayout& layout, const std::string& typed) {
    std::string us;
    for (std::size_t at = 0; at < typed.size();) {
        const std::size_t length = CharacterLength(typed, at);
        const std::string character = typed.substr(at, length);
        char key = 0;
        for (std::size_t i = 0; i < layout.keyCount; ++i)
            if (character == layout.keys[i].typed)
                key = layout.keys[i].us;
        if (key != 0)
            us += key;
        else
            us += character;
        at += length;
    }
    return us;
}

std::string ThroughLayout(const KeyboardLayout& layout, const std::string& us) {
    std::string typed;
    for (const char c : us) {
        const LayoutKey* key = nullptr;
        for (std::size_t i = 0; i < layout.keyCount; ++i)
            if (layout.keys[i].us == c)
                key = &layout.keys[i];
        if (key != nullptr)
            typed += key->typed;
        else
            typed += c;
    }
    return typed;
}

}  // namespace swipe
