// Menu items written back as the standard template a resource compiler makes of them: a
// zero version and header size, then each item, the last one of each level with the end flag.
#pragma once

#include <cstdint>
#include <vector>

#include "menu/menu_template.h"

// Whether no later item of the same level follows item `i` before its level closes.
inline bool LastOfLevel(const std::vector<MenuTemplateItem>& items, std::size_t i) {
    for (std::size_t next = i + 1; next < items.size(); ++next) {
        if (items[next].depth <= items[i].depth)
            return items[next].depth < items[i].depth;
    }
    return true;
}

inline std::vector<std::uint8_t> WriteMenuTemplate(const std::vector<MenuTemplateItem>& items) {
    std::vector<std::uint8_t> bytes;
    const auto word = [&bytes](unsigned value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
    };
    word(0);  // version
    word(0);  // header size
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuTemplateItem& item = items[i];
        word(item.flags | (LastOfLevel(items, i) ? kTemplateEnd : 0));
        if (!item.IsPopup())
            word(item.id);
        for (const char16_t unit : item.text)
            word(unit);
        word(0);
    }
    return bytes;
}
