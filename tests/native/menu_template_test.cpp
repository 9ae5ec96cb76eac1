// The menu-template reader behind KelMenu::LoadMenu.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "menu/menu_template.h"

namespace {

// Builds template bytes as a resource compiler would.
struct Bytes {
    std::vector<std::uint8_t> data;
    Bytes& Word(std::uint16_t w) {
        data.push_back(w & 0xFF);
        data.push_back(w >> 8);
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
    auto* copy = new std::uint8_t[bytes.size() ? bytes.size() : 1];
    std::copy(bytes.begin(), bytes.end(), copy);
    auto items = ParseMenuTemplate(copy, bytes.size());
    delete[] copy;
    return items;
}

TEST(MenuTemplate, NestedPopupsEndWithTheEndFlagAndTheTopLevelStopsTheRead) {
    const auto bytes = Header()
                           .Popup(0, u"&File")
                           .Item(0, 100, u"&Open\tCtrl+O")
                           .Popup(0, u"&Recent")
                           .Item(kTemplateEnd, 110, u"one")
                           .Item(0, 0, u"")
                           .Item(kTemplateEnd | 0x1, 101, u"E&xit")
                           .Popup(kTemplateEnd, u"&Help")
                           .Popup(kTemplateEnd, u"&More")
                           .Item(kTemplateEnd, 120, u"\u95dc\u65bc")
                           .Word(0xFFFF)  // after the end: never read
                           .data;
    const auto items = Parse(bytes);
    ASSERT_TRUE(items);
    struct Expected {
        std::uint16_t flags, id;
        std::u16string text;
        int depth;
    };
    const Expected expected[] = {
        {kTemplatePopup, 0, u"&File", 0},
        {0, 100, u"&Open\tCtrl+O", 1},
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
        SCOPED_TRACE(i);
        EXPECT_EQ((*items)[i].flags, expected[i].flags);
        EXPECT_EQ((*items)[i].id, expected[i].id);
        EXPECT_EQ((*items)[i].text, expected[i].text);
        EXPECT_EQ((*items)[i].depth, expected[i].depth);
    }
}

TEST(MenuTemplate, HeaderSizeMovesTheFirstItem) {
    const auto items = Parse(Bytes().Word(0).Word(2).Word(0xAAAA).Item(kTemplateEnd, 7, u"x").data);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 1u);
    EXPECT_EQ((*items)[0].id, 7);
}

TEST(MenuTemplate, BrokenTemplatesAreRejectedWithoutReadingPastTheEnd) {
    const auto whole = Header()
                           .Popup(kTemplateEnd, u"&File")
                           .Item(0, 100, u"&Open")
                           .Item(kTemplateEnd, 101, u"E&xit")
                           .data;
    ASSERT_TRUE(Parse(whole));
    // Every cut of a good template is rejected, wherever it falls.
    for (std::size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Parse(std::vector<std::uint8_t>(whole.begin(), whole.begin() + size)));
    }
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"top level never ends", Header().Item(0, 1, u"a").Item(0, 2, u"b").data},
        {"popup never ends", Header().Popup(kTemplateEnd, u"P").Item(0, 1, u"a").data},
        {"text without terminator", Header().Word(kTemplateEnd).Word(1).Word(u'a').data},
        {"header larger than the resource", Bytes().Word(0).Word(40).Word(0).data},
        {"extended template", Bytes().Word(1).Word(4).Word(0).Word(0).data},
        {"odd trailing byte in text",
         [] {
             auto b = Header().Word(kTemplateEnd).Word(1).data;
             b.push_back('a');
             return b;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Parse(c.bytes));
    }
}

}  // namespace
