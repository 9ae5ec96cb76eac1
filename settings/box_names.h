// The names of the settings window's one-character boxes, as a message names the box it is
// about (and as a screen reader may read it), in both languages.
#pragma once

namespace settings {

// "Track 2 start sentinel", "Replacement 1: replace with", ...; null for another control.
const wchar_t* CharacterBoxName(int controlId, bool english);

}  // namespace settings
