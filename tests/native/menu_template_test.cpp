// The menu-template reader behind KelMenu::LoadMenu.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "menu/menu_template.h"

namespace {

// Builds template bytes as a resource compiler would.
struct Bytes {
    std::vector<std::uint8_t> data;
    Bytes& Word(std::uint16_t w) {
        data.insert(data.end(),
                    {static_cast<std::uint8_t>(w & 0xFF), static_cast<std::uint8_t>(w >> 8)});
        return *this;
    }
    Bytes& Text(const std::u16string& text) {
        for (char16_t c : text)
            Word(c);
        return Word(0);
    }
    Bytes& Item(std::uint16_t flags, std::uint16_t id, const std::u16string& text) {
        return Word(flags).Word(id).Text(text);
    }
    Bytes& Popup(std::uint16_t flags, const std::u16string& text) {
        return Word(flags | kTemplatePopup).Text(text);
    }
};

Bytes Header() {
    return Bytes().Word(0).Word(0);
}

std::optional<std::vector<MenuTemplateItem>> Parse(const std::vector<std::uint8_t>& bytes) {
    // An exact-size copy on the heap: a read past its end is caught by the sanitizer.
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size() + !bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return ParseMenuTemplate(copy.get(), bytes.size());
}

TEST(MenuTemplate, NestedPopupsEndWithTheEndFlagAndTheTopLevelStopsTheRead) {
    const auto items = Parse(Header()
                                 .Popup(0, u"&File")
                                 .Item(0, 0x1234, u"&Open\tCtrl+O")
                                 .Popup(0, u"&Recent")
                                 .Item(kTemplateEnd, 110, u"one")
                                 .Item(0, 0, u"")
                                 .Item(kTemplateEnd | 0x1, 101, u"E&xit")
                                 .Popup(kTemplateEnd, u"&Help")
                                 .Popup(kTemplateEnd, u"&More")
                                 .Item(kTemplateEnd, 120, u"\u95dc\u65bc")
                                 .Word(0xFFFF)  // after the end: never read
                                 .data);
    ASSERT_TRUE(items);
    const MenuTemplateItem expected[] = {
        {kTemplatePopup, 0, u"&File", 0},
        {0, 0x1234, u"&Open\tCtrl+O", 1},
        {kTemplatePopup, 0, u"&Recent", 1},
        {0, 110, u"one", 2},
        {0, 0, u"", 1},
        {0x1, 101, u"E&xit", 1},
        {kTemplatePopup, 0, u"&Help", 0},
        {kTemplatePopup, 0, u"&More", 1},
        {0, 120, u"\u95dc\u65bc", 2},
    };
    ASSERT_EQ(items->size(), std::size(expected));
    for (std::size_t i = 0; i < items->size(); ++i) {
        const MenuTemplateItem& item = (*items)[i];
        EXPECT_TRUE(item.flags == expected[i].flags && item.id == expected[i].id &&
                    item.text == expected[i].text && item.depth == expected[i].depth)
            << i;
    }
    // The header size moves the first item.
    const auto moved = Parse(Bytes().Word(0).Word(2).Word(0xAAAA).Item(kTemplateEnd, 7, u"x").data);
    ASSERT_TRUE(moved && moved->size() == 1);
    EXPECT_EQ((*moved)[0].id, 7);
}

TEST(MenuTemplate, BrokenTemplatesAreRejectedWithoutReadingPastTheEnd) {
    const auto whole = Header()
                           .Popup(kTemplateEnd, u"&File")
                           .Item(0, 100, u"&Open")
                           .Item(kTemplateEnd, 101, u"E&xit")
                           .data;
    ASSERT_TRUE(Parse(whole));
    for (std::size_t size = 0; size < whole.size(); ++size)  // every cut, wherever it falls
        EXPECT_FALSE(Parse(std::vector<std::uint8_t>(whole.begin(), whole.begin() + size))) << size;
    auto oddByte = Header().Word(kTemplateEnd).Word(1).data;
    oddByte.push_back('a');
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"top level never ends", Header().Item(0, 1, u"a").Item(0, 2, u"b").data},
        {"popup never ends", Header().Popup(kTemplateEnd, u"P").Item(0, 1, u"a").data},
        {"text without terminator", Header().Word(kTemplateEnd).Word(1).Word(u'a').data},
        {"header larger than the resource", Bytes().Word(0).Word(40).Word(0).data},
        {"extended template", Bytes().Word(1).Word(0).Item(kTemplateEnd, 1, u"a").data},
        {"odd trailing byte in text", oddByte},
    };
    for (const auto& [what, bytes] : cases)
        EXPECT_FALSE(Parse(bytes)) << what;
}

}  // namespace
