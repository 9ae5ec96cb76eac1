// The "Error" box of the settings window's own refusals (a character the reader cannot type, a
// profile that cannot be saved or loaded).
#pragma once

#include <windows.h>

#include <string>

// Shows `text` in an "Error" box over `owner`. A file's line or name in it may hold a card
// number that was pasted there, so the box shows it by the one rule of card numbers.
void ShowErrorBox(HWND owner, const std::wstring& text);
