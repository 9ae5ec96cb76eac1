// The names of the settings window's edit boxes, in both languages: what a screen reader
// reads for each, and how a message names the box it is about. A box's visible label is a
// row or column heading that several boxes share ("SS:", "TRK1", "character"); each box is
// named for itself.
#pragma once

#include <cstddef>

#include "settings/ui_text.h"

// In the reading order of the boxes.
extern const Caption kEditNames[];
extern const std::size_t kEditNameCount;

// The name of edit box `controlId` in the language asked for; null for another control.
const wchar_t* EditName(int controlId, bool english);
