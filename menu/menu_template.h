// The standard menu template of a menu resource, read into plain items.
//
// Layout: a 16-bit version word and a 16-bit header size, then the items from 4 + header
// size on. An item is 16-bit option flags, a 16-bit command id unless it opens a popup, and
// its NUL-terminated UTF-16 text. The flag 0x80 ends a level; a popup's own items follow it
// directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr std::uint16_t kTemplatePopup = 0x10;
constexpr std::uint16_t kTemplateEnd = 0x80;

struct MenuTemplateItem {
    std::uint16_t flags = 0;  // option flags without the end-of-level flag
    std::uint16_t id = 0;     // 0 for popups and separators
    std::u16string text;
    int depth = 0;  // 0 on the top level, 1 in its popups, ...

    bool IsPopup() const { return (flags & kTemplatePopup) != 0; }
};

// The items in resource order, or nothing when the template is an extended one, is cut
// short, leaves a level without its end, or holds a text without its terminator. Bytes
// after the end of the top level are ignored.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(const std::uint8_t* data,
                                                               std::size_t size);
