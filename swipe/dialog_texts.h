// The texts of the swipe test's window and its system-menu entry, in English and Chinese.
#pragma once

#include <string>

#include "settings/choices.h"

namespace swipe {

const wchar_t* SwipeTestEntry(bool english);  // "Swipe test..."
const wchar_t* SwipeTestTitle(bool english);  // "Swipe test"
const wchar_t* ShowFullNumbersText(bool english);
const wchar_t* ClearText(bool english);
const wchar_t* CloseText(bool english);
// The names a screen reader reads for the two boxes: what came, and what the check found.
const wchar_t* CaptureName(bool english);
const wchar_t* ResultName(bool english);
// What the check compares with: the settings window's form as it stands, and its enabled
// replacement pairs ("a→x").
std::wstring FormNote(const settings::Setup& form, bool english);

}  // namespace swipe
