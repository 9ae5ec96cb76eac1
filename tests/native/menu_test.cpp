// The menu's pure parts: template reading, mnemonics, the shortcut column, the look decision,
// colour blending and image-resource reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "menu/image_resources.h"
#include "menu/menu_colors.h"
#include "menu/menu_look.h"
#include "menu/menu_template.h"
#include "menu/mnemonic.h"
#include "menu/shortcut_column.h"

using namespace std::string_literals;

namespace {

// Little-endian words in an exact-size heap block, cut to `size` bytes: a read past its end
// is caught by the sanitizer.
std::unique_ptr<std::uint8_t[]> HeapBytes(const std::u16string& words, std::size_t size) {
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size + !size]);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(words[i / 2] >> (i % 2 * 8));
    return bytes;
}

std::optional<std::vector<MenuTemplateItem>> Parse(const std::u16string& words,
                                                   std::size_t size = SIZE_MAX) {
    size = std::min(size, 2 * words.size());
    return ParseMenuTemplate(HeapBytes(words, size).get(), size);
}

// Template entries as a resource compiler writes them; the header is two zero words.
const std::u16string kHeader(2, 0);
const auto Item = [](char16_t flags, char16_t id, std::u16string text) {
    return flags + (id + text) + u'\0';
};
const auto Popup = [](char16_t flags, std::u16string text) {
    return char16_t(flags | kTemplatePopup) + text + u'\0';
};

TEST(MenuTemplate, NestedPopupsEndWithTheEndFlagAndTheTopLevelStopsTheRead) {
    const auto items =
        Parse(kHeader + Popup(0, u"&File") + Item(0, 0x1234, u"&Open\tCtrl+O") +
              Popup(0, u"&Recent") + Item(kTemplateEnd, 110, u"one") + Item(0, 0, u"") +
              Item(kTemplateEnd | 0x1, 101, u"E&xit") + Popup(kTemplateEnd, u"&Help") +
              Popup(kTemplateEnd, u"&More") + Item(kTemplateEnd, 120, u"\u95dc\u65bc") +
              u"\xFFFF");  // after the end: never read
    std::vector<std::tuple<int, int, std::u16string, int>> got;
    for (const MenuTemplateItem& item : items.value())
        got.emplace_back(item.flags, item.id, item.text, item.depth);
    const int P = kTemplatePopup;
    EXPECT_EQ(got, (decltype(got){{P, 0, u"&File", 0},
                                  {0, 0x1234, u"&Open\tCtrl+O", 1},
                                  {P, 0, u"&Recent", 1},
                                  {0, 110, u"one", 2},
                                  {0, 0, u"", 1},
                                  {0x1, 101, u"E&xit", 1},
                                  {P, 0, u"&Help", 0},
                                  {P, 0, u"&More", 1},
                                  {0, 120, u"\u95dc\u65bc", 2}}));
    // The header size moves the first item.
    EXPECT_EQ(Parse(u"\0\2\xAAAA"s + Item(kTemplateEnd, 7, u"x")).value().at(0).id, 7);
}

TEST(MenuTemplate, BrokenTemplatesAreRejectedWithoutReadingPastTheEnd) {
    const std::u16string whole = kHeader + Popup(kTemplateEnd, u"&File") + Item(0, 100, u"&Open") +
                                 Item(kTemplateEnd, 101, u"E&xit");
    ASSERT_TRUE(Parse(whole));
    for (std::size_t size = 0; size < 2 * whole.size(); ++size)  // every cut, wherever it falls
        EXPECT_FALSE(Parse(whole, size)) << size;
    const std::pair<const char*, std::u16string> cases[] = {
        {"top level never ends", kHeader + Item(0, 1, u"a") + Item(0, 2, u"b")},
        {"popup never ends", kHeader + Popup(kTemplateEnd, u"P") + Item(0, 1, u"a")},
        {"text without terminator", kHeader + u"\x80\1a"},
        {"header larger than the resource", u"\0\x28\0"s},
        {"extended template", u"\1\0"s + Item(kTemplateEnd, 1, u"a")},
    };
    for (const auto& [what, words] : cases)
        EXPECT_FALSE(Parse(words)) << what;
    EXPECT_FALSE(Parse(kHeader + u"\x80\1a", 9));  // an odd trailing byte in the text
}

constexpr unsigned kPopup = 0x10;

// A simple mapping in place of the system's: ASCII capitals only.
std::u16string AsciiLower(std::u16string text) {
    for (char16_t& c : text)
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c;
    return text;
}

// Either case of the key; the lower position wins; a doubled ampersand before the key answers
// it too, as the system's own search does; flags without the popup bit answer nothing; case is
// what the mapping makes of it.
TEST(Mnemonic, AnswersTheFirstLabelWithTheKey) {
    const std::uint32_t first = 2u << 16, second = first | 1;  // execute the item at 0 or 1
    const struct {
        const char* name;
        std::vector<std::u16string> labels;
        char16_t character;
        unsigned flags;
        std::uint32_t answer;
    } cases[] = {
        {"capital typed", {u"&Open", u"&save"}, u'S', kPopup, second},
        {"small typed", {u"&Open", u"&Save"}, u's', kPopup, second},
        {"lower position wins", {u"x", u"&Send", u"&Save"}, u's', kPopup, second},
        {"key inside the label", {u"Save &As"}, u'a', kPopup, first},
        {"doubled ampersand", {u"Tom &&xJerry"}, u'x', kPopup, first},
        {"no ampersand", {u"Save"}, u's', kPopup, 0},
        {"not a popup", {u"&Save"}, u's', 0x2000, 0},
        {"no items", {}, u's', kPopup, 0},
        {"a capital the mapping keeps", {u"&\u00e9diter"}, u'\u00c9', kPopup, 0},
        {"a letter without case", {u"\u6253\u5f00(&\u6253)"}, u'\u6253', kPopup, first},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MnemonicAnswer(c.labels, c.character, c.flags, AsciiLower), c.answer);
    }
}

// Every character is 3 pixels wide, a space `spaceWidth`, and every text `offset` more.
struct FakeMeasure : TextMeasure {
    FakeMeasure(int space, int shift) : spaceWidth(space), offset(shift) {}
    int Width(const std::u16string& text) const override {
        const auto spaces = std::count(text.begin(), text.end(), u' ');
        return static_cast<int>(3 * (text.size() - spaces) + spaceWidth * spaces) + offset;
    }
    int spaceWidth, offset;
};

TEST(ShortcutColumn, NamesArePaddedToTheWidestNameAndOneSpace) {
    const LabelParts parts = SplitLabel(u"Find\tnever\tCtrl+F");
    EXPECT_EQ(parts.left, u"Find");
    EXPECT_EQ(parts.right, u"Ctrl+F");
    EXPECT_TRUE(parts.hasTab);
    EXPECT_EQ(SplitLabel(u"Plain").left, u"Plain");
    EXPECT_FALSE(SplitLabel(u"Plain").hasTab);
    using Labels = std::vector<std::u16string>;
    const struct {
        const char* name;
        int spaceWidth, offset;
        Labels labels, aligned;
    } cases[] = {
        // widest: "Properties " = 30 + 2; "Open" = 12 needs 10 spaces of 2
        {"three labels",
         2,
         0,
         {u"Open\tCtrl+O", u"Properties", u"Save as\tF12"},
         {u"Open          \tCtrl+O", u"Properties", u"Save as      \tF12"}},
        {"spaces wider than the gap", 5, 0, {u"Ab\tX", u"Abcd"}, {u"Ab   \tX", u"Abcd"}},
        {"only the first tab counts", 3, 0, {u"A\tB\tC", u"Abc"}, {u"A   \tB\tC", u"Abc"}},
        {"the widest has a tab itself", 3, 0, {u"Abc\tX"}, {u"Abc \tX"}},
        {"spaces without width end the padding", 0, 0, {u"A\tX", u"Abcdef"}, {u"A\tX", u"Abcdef"}},
        {"every width below zero", 2, -100, {u"A\tX", u"Abc"}, {u"A    \tX", u"Abc"}},
    };
    for (const auto& c : cases) {
        Labels labels = c.labels;
        AlignShortcutColumn(labels, FakeMeasure(c.spaceWidth, c.offset));
        EXPECT_EQ(labels, c.aligned) << c.name;
    }
}

TEST(MenuLook, VersionCodeAndTheFlatStyleOnlyOnThemedXp) {
    const std::pair<WindowsRelease, int> cases[] = {
        {{true, 3, 95}, 0}, {{true, 4, 0}, 2},  {{true, 4, 10}, 3},  {{true, 4, 90}, 4},
        {{true, 4, 20}, 2}, {{true, 5, 0}, 2},  {{false, 3, 51}, 1}, {{false, 4, 0}, 5},
        {{false, 5, 0}, 6}, {{false, 5, 1}, 7}, {{false, 5, 2}, 1},  {{false, 10, 0}, 1},
    };
    for (const auto& [release, code] : cases) {
        EXPECT_EQ(WindowsVersionCode(release), code) << release.major << release.minor;
        EXPECT_EQ(UsesFlatStyle(code, false), code == 7) << code;
    }
    EXPECT_FALSE(UsesFlatStyle(7, true));
    EXPECT_TRUE(IsClassicThemeFile("C:\\WINDOWS\\Resources\\Themes\\Windows Classic.theme"));
    EXPECT_TRUE(IsClassicThemeFile("WINDOWS CLASSIC.THEME"));
    for (const char* other : {"C:\\WINDOWS\\Resources\\Themes\\Luna.theme", "Classic.theme", "",
                              "Xindows Classic.theme", "Windows Classic.themX"})
        EXPECT_FALSE(IsClassicThemeFile(other)) << other;
}

TEST(BlendTowardWhite, FactorsOutsideTheRangeChangeNothing) {
    const std::tuple<std::uint32_t, double, std::uint32_t> cases[] = {
        {0x402010, 1.5, 0x402010}, {0x402010, -0.5, 0x402010}, {0x402010, 1.0, 0xFFFFFF},
        {0x000000, 0.5, 0x7F7F7F}, {0xFF8000, 0.25, 0xFF9F3F}, {0x6A240A, 0.85, 0xE8DEDA}};
    for (const auto& [color, factor, blended] : cases)
        EXPECT_EQ(BlendTowardWhite(color, factor), blended) << factor;
}

// Toolbar resources: separators take no picture, malformed bars have no buttons. Shared image
// ids: raised variants need three equal entries. Palette sizes from the bitmap header.
TEST(ImageResources, ToolbarPositionsSharedIdsAndPaletteSizes) {
    const auto position = [](const std::u16string& words, unsigned command) {
        return ToolbarImagePosition(HeapBytes(words, 2 * words.size()).get(), 2 * words.size(),
                                    command);
    };
    const std::u16string bar = u"\1\x10\xF\4\x12C\0\x12D\x12E"s;  // ids 300 to 302 above a byte
    const std::pair<unsigned, std::optional<int>> cases[] = {
        {300, 0}, {301, 1}, {302, 2}, {303, std::nullopt}, {0, std::nullopt}};
    for (const auto& [command, expected] : cases)
        EXPECT_EQ(position(bar, command), expected) << command;
    EXPECT_EQ(position(u"\1\x10\xF\1\x64", 100), 0);      // one button, five words
    EXPECT_FALSE(position(u"\1\x10\xF\5\x64\x65", 100));  // more buttons than words
    EXPECT_FALSE(position(u"\2\x10\xF\1\x64", 100));      // unknown version
    EXPECT_FALSE(position(u"\1\x10\xF", 100));            // cut in the header

    const std::vector<int> ids{5, 5, 5, 6, 7, 7};
    EXPECT_EQ(SharedImageIndex(ids, 7), 4);
    EXPECT_EQ(SharedImageIndex(ids, 8), -1);
    EXPECT_EQ(SharedImageIndex({}, 5), -1);
    EXPECT_TRUE(HasRaisedVariants(ids, 0));
    for (int index : {3, 4, 5, -1})  // 4 and 5: too near the end
        EXPECT_FALSE(HasRaisedVariants(ids, index)) << index;
    EXPECT_TRUE(HasRaisedVariants({1, 2, 2, 2}, 1));  // the last three entries
    EXPECT_FALSE(HasRaisedVariants({4, 4, 9}, 0));    // two equal entries, not three

    const int colors[][3] = {{0, 1, 2},  {0, 4, 16}, {0, 8, 256},
                             {0, 24, 0}, {5, 8, 5},  {70000, 8, 0xFFFF}};
    for (const auto& c : colors)
        EXPECT_EQ(BitmapColorCount(c[0], static_cast<std::uint16_t>(c[1])), c[2]) << c[0] << c[1];
}

// The bitmap's header as words: its size in words 0 and 1, then 4 bits per pixel at
// `bitCountWord` (word 7 in the information header, word 5 in the core header) and `colorsUsed`
// in words 16 and 17, where the information header keeps it and a core header's palette lies.
std::u16string BitmapHeader(std::uint32_t headerSize, std::size_t bitCountWord,
                            std::uint32_t colorsUsed) {
    std::u16string words(64, u'\0');
    words[0] = static_cast<char16_t>(headerSize);
    words[1] = static_cast<char16_t>(headerSize >> 16);
    words[bitCountWord] = 4;
    words[16] = static_cast<char16_t>(colorsUsed);
    words[17] = static_cast<char16_t>(colorsUsed >> 16);
    return words;
}

TEST(ImageResources, PaletteSizeReadOnlyFromAnInformationHeader) {
    const struct {
        const char* name;
        std::u16string words;
        std::size_t size;
        std::optional<int> colors;
    } cases[] = {
        {"information header, 4 bits", BitmapHeader(40, 7, 0), 128, 16},
        {"information header, colours used", BitmapHeader(40, 7, 300), 128, 300},
        {"colours used in the top byte", BitmapHeader(40, 7, 0x1000000), 128, 0xFFFF},
        {"longer successor", BitmapHeader(124, 7, 0), 128, 16},
        {"core header whose palette reads as 16", BitmapHeader(12, 5, 16), 128, std::nullopt},
        {"resource shorter than an information header", BitmapHeader(40, 7, 0), 39, std::nullopt},
        {"header longer than the resource", BitmapHeader(124, 7, 0), 123, std::nullopt},
        {"header of 64 KiB and more", BitmapHeader(0x10028, 7, 0), 128, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InfoHeaderColorCount(HeapBytes(c.words, c.size).get(), c.size), c.colors);
    }
    EXPECT_EQ(InfoHeaderColorCount(nullptr, 128), std::nullopt);  // no resource
}

}  // namespace
