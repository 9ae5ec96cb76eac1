// Random labels, a typed character, a lower-casing for the letters of a few scripts (the
// menu passes the system's own) and a fake font. The mnemonic answer is 0 without the popup
// flag, else it executes a label whose ampersand marks the character in either case, and no
// earlier label marks it. Padding the shortcut column adds only spaces, before the first
// tab, as few as reach the widest name with one space, and ends whatever the widths: zero,
// negative, or shrinking as the text grows.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "menu/mnemonic.h"
#include "menu/shortcut_column.h"

namespace {

constexpr unsigned kPopupFlag = 0x10;
constexpr std::uint32_t kExecute = 2u << 16;

// Capitals and their small letters in the scripts menus are written in.
const std::pair<char16_t, char16_t> kCasePairs[] = {
    {u'A', u'a'},     {u'Z', u'z'},     {0x00C9, 0x00E9}, {0x0178, 0x00FF},
    {0x0391, 0x03B1}, {0x0386, 0x03AC}, {0x0388, 0x03AD}, {0x038F, 0x03CE},
    {0x0401, 0x0451}, {0x0416, 0x0436}, {0x0460, 0x0461}, {0x0490, 0x0491}};

// Characters labels are made of: mnemonic marks, tabs and spaces often, letters of both
// cases, a CJK character; anything else now and then.
const std::u16string kAlphabet = u"&&&\t\t  xX\u6253";

char16_t Character(FuzzInput& in) {
    const std::uint8_t pick = in.Byte();
    const std::size_t pairs = sizeof kCasePairs / sizeof kCasePairs[0];
    if (pick < kAlphabet.size())
        return kAlphabet[pick];
    if (pick < kAlphabet.size() + 2 * pairs) {
        const auto& pair = kCasePairs[(pick - kAlphabet.size()) / 2];
        return pick % 2 ? pair.first : pair.second;
    }
    return pick < 0xF0 ? static_cast<char16_t>(pick) : static_cast<char16_t>(in.Word());
}

// Widths that need not grow with the text: each character adds the width of its class
// (zero or negative too), and the length modulo 4 adds another.
class FakeMeasure : public TextMeasure {
public:
    explicit FakeMeasure(FuzzInput& in) {
        for (int& width : character_)
            width = static_cast<std::int8_t>(in.Byte());
        for (int& width : length_)
            width = static_cast<std::int8_t>(in.Byte());
    }
    int Width(const std::u16string& text) const override {
        int width = length_[text.size() % 4];
        for (const char16_t c : text)
            width += character_[c % 16];
        return width;
    }

private:
    int character_[16] = {};
    int length_[4] = {};
};

// The system's mapping as far as the letters of kCasePairs go.
std::u16string LowerCase(std::u16string text) {
    for (char16_t& c : text) {
        for (const auto& [capital, small] : kCasePairs) {
            if (c == capital)
                c = small;
        }
    }
    return text;
}

// The key's other case among the letters of kCasePairs; itself for any other character.
char16_t OtherCase(char16_t c) {
    for (const auto& [capital, small] : kCasePairs) {
        if (c == capital)
            return small;
        if (c == small)
            return capital;
    }
    return c;
}

// Some ampersand in the label stands right before the key, in either case.
bool MarksKey(const std::u16string& label, char16_t key) {
    for (std::size_t at = 1; at < label.size(); ++at) {
        if (label[at - 1] == u'&' && (label[at] == key || label[at] == OtherCase(key)))
            return true;
    }
    return false;
}

// Without the popup flag no answer. With it, an answer executes an item whose label marks the
// key and no earlier label does; no answer means no label marks it. Either case of a letter
// gets the same answer, and labels after the one answered change nothing.
void CheckMnemonic(const std::vector<std::u16string>& labels, char16_t key, unsigned flags) {
    const std::uint32_t answer = MnemonicAnswer(labels, key, flags, LowerCase);
    FUZZ_CHECK(MnemonicAnswer(labels, OtherCase(key), flags, LowerCase) == answer);
    if ((flags & kPopupFlag) == 0) {
        FUZZ_CHECK(answer == 0);
        return;
    }
    if (answer == 0) {
        for (const std::u16string& label : labels)
            FUZZ_CHECK(!MarksKey(label, key));
        return;
    }
    FUZZ_CHECK((answer & 0xFFFF0000u) == kExecute);
    const std::size_t position = answer & 0xFFFFu;
    FUZZ_CHECK(position < labels.size());
    FUZZ_CHECK(MarksKey(labels[position], key));
    for (std::size_t earlier = 0; earlier < position; ++earlier)
        FUZZ_CHECK(!MarksKey(labels[earlier], key));
    const std::vector<std::u16string> upTo(labels.begin(), labels.begin() + position + 1);
    FUZZ_CHECK(MnemonicAnswer(upTo, key, flags, LowerCase) == answer);
}

void CheckPadding(const std::vector<std::u16string>& labels, const TextMeasure& measure) {
    std::vector<std::u16string> padded = labels;
    AlignShortcutColumn(padded, measure);
    FUZZ_CHECK(padded.size() == labels.size());
    if (labels.empty())
        return;
    int widest = measure.Width(labels[0].substr(0, labels[0].find(u'\t')) + u' ');
    for (const std::u16string& label : labels)
        widest = std::max(widest, measure.Width(label.substr(0, label.find(u'\t')) + u' '));

    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::size_t tab = labels[i].find(u'\t');
        if (tab == std::u16string::npos) {
            FUZZ_CHECK(padded[i] == labels[i]);
            continue;
        }
        // The name, then only spaces, then the shortcut from the first tab on, unchanged.
        const std::u16string name = labels[i].substr(0, tab);
        const std::size_t newTab = padded[i].find(u'\t');
        FUZZ_CHECK(newTab != std::u16string::npos && newTab >= tab);
        FUZZ_CHECK(padded[i].compare(0, tab, name) == 0);
        FUZZ_CHECK(padded[i].find_first_not_of(u' ', tab) == newTab);
        FUZZ_CHECK(padded[i].compare(newTab, std::u16string::npos, labels[i], tab) == 0);
        // No fewer spaces reach the widest name; the spaces added stop there, or where one
        // more space would add no width.
        const std::size_t spaces = newTab - tab;
        const int nameWidth = measure.Width(name);
        FUZZ_CHECK(spaces == 0 || static_cast<long>(spaces) <= long{widest} - nameWidth);
        for (std::size_t fewer = 0; fewer < spaces; ++fewer)
            FUZZ_CHECK(measure.Width(name + std::u16string(fewer, u' ')) < widest);
        const int reached = measure.Width(name + std::u16string(spaces, u' '));
        FUZZ_CHECK(reached >= widest ||
                   measure.Width(name + std::u16string(spaces + 1, u' ')) <= reached);
    }
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    const unsigned flags = in.Word();
    const char16_t typed = Character(in);
    const FakeMeasure measure(in);
    std::vector<std::u16string> labels(in.Byte() % 8);
    for (std::u16string& label : labels) {
        label.resize(in.Byte() % 12);
        for (char16_t& c : label)
            c = Character(in);
    }
    CheckMnemonic(labels, typed, flags);
    CheckPadding(labels, measure);
}
