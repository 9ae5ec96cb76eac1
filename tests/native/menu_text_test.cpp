// Mnemonic answers and the shortcut column of menu labels.
#include <gtest/gtest.h>

#include <map>
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
    struct Case {
        const char* what;
        std::vector<std::u16string> labels;
        char16_t character;
        unsigned flags;
        std::uint32_t answer;
    };
    const Case cases[] = {
        {"lower-case letter", {u"&Open", u"&save"}, u'S', kPopup, Execute(1)},
        {"upper-case letter", {u"&Open", u"&Save"}, u's', kPopup, Execute(1)},
        {"lower position wins", {u"x", u"&Send", u"&Save"}, u's', kPopup, Execute(1)},
        {"key inside the label", {u"Save &As"}, u'a', kPopup, Execute(0)},
        {"doubled ampersand", {u"Tom &&xJerry"}, u'x', kPopup, Execute(0)},
        {"letter without ampersand", {u"Save"}, u's', kPopup, 0},
        {"flags without the popup bit", {u"&Save"}, u's', 0x2000, 0},
        {"no labels", {}, u's', kPopup, 0},
        {"Cyrillic capital",
         {u"\u0444\u0430\u0439\u043b &\u0432\u044b\u0445\u043e\u0434"},
         u'\u0412',
         kPopup,
         Execute(0)},
        {"Latin-1 capital", {u"&\u00e9diter"}, u'\u00c9', kPopup, Execute(0)},
        {"Chinese character", {u"\u6253\u5f00(&\u6253)"}, u'\u6253', kPopup, Execute(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MnemonicAnswer(c.labels, c.character, c.flags), c.answer);
    }
}

TEST(Mnemonic, LatinExtendedCapitalsAtTheEdgesOfTheirRanges) {
    EXPECT_EQ(LowerCaseLetter(0x100), 0x101);
    EXPECT_EQ(LowerCaseLetter(0x14A), 0x14B);
    EXPECT_EQ(LowerCaseLetter(0x147), 0x148);
}

TEST(Mnemonic, LowerCaseKeepsWhatHasNoCase) {
    EXPECT_EQ(LowerCase(u"AZ\u00d7\u0100\u0101\u0139\u0178\u03a3\u0400\u040f!"),
              u"az\u00d7\u0101\u0101\u013a\u00ff\u03c3\u0450\u045f!");
}

TEST(SplitLabel, LeftEndsAtTheFirstTabAndRightStartsAfterTheLast) {
    const LabelParts parts = SplitLabel(u"Find\tnever\tCtrl+F");
    EXPECT_EQ(parts.left, u"Find");
    EXPECT_EQ(parts.right, u"Ctrl+F");
    EXPECT_TRUE(parts.hasTab);
    EXPECT_FALSE(SplitLabel(u"Plain").hasTab);
    EXPECT_EQ(SplitLabel(u"Plain").left, u"Plain");
}

// Every character is 3 pixels wide, a space `spaceWidth`.
class FakeMeasure : public TextMeasure {
public:
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
    struct Case {
        const char* what;
        int spaceWidth;
        std::vector<std::u16string> labels, aligned;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::u16string> labels = c.labels;
        AlignShortcutColumn(labels, FakeMeasure(c.spaceWidth));
        EXPECT_EQ(labels, c.aligned);
    }
}

}  // namespace
