// The names a screen reader reads for the settings window's edit boxes, in both languages.
// A box's visible label is a row or column heading that several boxes share ("SS:", "TRK1",
// "character"); each box is named for itself.
#pragma once

#include <cstddef>

#include "settings/ui_text.h"

// In the reading order of the boxes.
extern const Caption kEditNames[];
extern const std::size_t kEditNameCount;
