// Mnemonic answers and the shortcut column of menu labels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/mnemonic.h"
#include "menu/shortcut_column.h"

namespace {

constexpr unsigned kPopup = 0x10;
constexpr std::uint32_t Execute(std::uint32_t position) {
    return (2u << 16) | position;
}

TEST(Mnemonic, AnswersTheFirstLabelWithTheKey) {
    const struct {
        const char* what;
        std::vector<std::u16string> labels;
        char16_t character;
        unsigned flags;
        std::uint32_t answer;
    } cases[] = {
        {"lower-case letter", {u"&Open", u"&save"}, u'S', kPopup, Execute(1)},
        {"upper-case letter", {u"&Open", u"&Save"}, u's', kPopup, Execute(1)},
        {"lower position wins", {u"x", u"&Send", u"&Save"}, u's', kPopup, Execute(1)},
        {"key inside the label", {u"Save &As"}, u'a', kPopup, Execute(0)},
        {"doubled ampersand", {u"Tom &&xJerry"}, u'x', kPopup, Execute(0)},
        {"letter without ampersand", {u"Save"}, u's', kPopup, 0},
        {"flags without the popup bit", {u"&Save"}, u's', 0x2000, 0},
        {"no labels", {}, u's', kPopup, 0},
        {"Cyrillic capital",
         {u"\u0444\u0430\u0439\u043b &\u0432\u044b\u0445"},
         u'\u0412',
         kPopup,
         Execute(0)},
        {"Latin-1 capital", {u"&\u00e9diter"}, u'\u00c9', kPopup, Execute(0)},
        {"Chinese character", {u"\u6253\u5f00(&\u6253)"}, u'\u6253', kPopup, Execute(0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MnemonicAnswer(c.labels, c.character, c.flags), c.answer) << c.what;
}

TEST(Mnemonic, LowerCaseAtTheEdgesOfEachRangeKeepsWhatHasNoCase) {
    // Pairs of capital and expected letter, range edges of Latin, Greek and Cyrillic.
    const std::u16string pairs[][2] = {
        {u"AZ@[\u00c0\u00de\u00d7\u00df", u"az@[\u00e0\u00fe\u00d7\u00df"},
        {u"\u0100\u0101\u0136\u0130\u0139\u0147\u014a\u0176\u0178\u0179\u017d",
         u"\u0101\u0101\u0137i\u013a\u0148\u014b\u0177\u00ff\u017a\u017e"},
        {u"\u0391\u03a2\u03ab\u0400\u040f\u0410\u042f\u0430!",
         u"\u03b1\u03a2\u03cb\u0450\u045f\u0430\u044f\u0430!"},
    };
    for (const auto& pair : pairs)
        EXPECT_EQ(LowerCase(pair[0]), pair[1]);
}

// Every character is 3 pixels wide, a space `spaceWidth`.
struct FakeMeasure : TextMeasure {
    explicit FakeMeasure(int space) : spaceWidth(space) {}
    int Width(const std::u16string& text) const override {
        int width = 0;
        for (char16_t c : text)
            width += c == u' ' ? spaceWidth : 3;
        return width;
    }
    int spaceWidth;
};

TEST(ShortcutColumn, NamesArePaddedToTheWidestNameAndOneSpace) {
    const LabelParts parts = SplitLabel(u"Find\tnever\tCtrl+F");
    EXPECT_TRUE(parts.left == u"Find" && parts.right == u"Ctrl+F" && parts.hasTab);
    EXPECT_TRUE(SplitLabel(u"Plain").left == u"Plain" && !SplitLabel(u"Plain").hasTab);
    const struct {
        const char* what;
        int spaceWidth;
        std::vector<std::u16string> labels, aligned;
    } cases[] = {
        // widest: "Properties " = 30 + 2; "Open" = 12 needs 10 spaces of 2
        {"short name next to a longer one",
         2,
         {u"Open\tCtrl+O", u"Properties", u"Save as\tF12"},
         {u"Open          \tCtrl+O", u"Properties", u"Save as      \tF12"}},
        {"spaces wider than the gap", 5, {u"Ab\tX", u"Abcd"}, {u"Ab   \tX", u"Abcd"}},
        {"only the first tab counts", 3, {u"A\tB\tC", u"Abc"}, {u"A   \tB\tC", u"Abc"}},
        {"widest has a tab itself", 3, {u"Abc\tX"}, {u"Abc \tX"}},
        {"spaces without width end the padding", 0, {u"A\tX", u"Abcdef"}, {u"A\tX", u"Abcdef"}},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> labels = c.labels;
        AlignShortcutColumn(labels, FakeMeasure(c.spaceWidth));
        EXPECT_EQ(labels, c.aligned) << c.what;
    }
}

}  // namespace
