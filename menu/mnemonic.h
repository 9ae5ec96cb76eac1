// The keyboard mnemonic of an open popup: which item a typed character chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Lower case of the letters of the scripts menus are written in (Latin, Greek, Cyrillic);
// other characters stay as they are.
char16_t LowerCaseLetter(char16_t c);
std::u16string LowerCase(std::u16string text);

// The WM_MENUCHAR answer for `character` typed in a popup whose item labels, by position,
// are `labels`: (2 << 16) | position of the first label holding "&" and the character,
// case ignored, or 0 to leave the key to the system. `menuFlags` must carry the popup bit
// (0x10). A plain substring test: a doubled ampersand before a letter answers it too.
std::uint32_t MnemonicAnswer(const std::vector<std::u16string>& labels, char16_t character,
                             unsigned menuFlags);
