// The keyboard mnemonic of an open popup: which item a typed character chooses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Lower-cases text one UTF-16 unit for one, as the system does for the user's letters; the
// menu passes the system's own mapping (menu/menu_platform.h).
using LowerCaseMapping = std::function<std::u16string(std::u16string)>;

// The WM_MENUCHAR answer for `character` typed in a popup whose item labels, by position,
// are `labels`: (2 << 16) | position of the first label holding "&" and the character,
// case ignored as `lower` maps it, or 0 to leave the key to the system. `menuFlags` must
// carry the popup bit (0x10). A plain substring test: a doubled ampersand before a letter
// answers it too.
std::uint32_t MnemonicAnswer(const std::vector<std::u16string>& labels, char16_t character,
                             unsigned menuFlags, const LowerCaseMapping& lower);
