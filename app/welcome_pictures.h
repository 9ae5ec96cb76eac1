// The welcome window's pictures for a DPI, as the window shows them: its background, the
// Enter button's face, the close glyph and the outline cut from the background.
#pragma once

#include <windows.h>

#include "framework/gdi.h"

struct WelcomePictures {
    fw::Bitmap background;
    fw::Bitmap enter;  // its corners white, the key colour
    fw::Icon close;
    SIZE closeSize{};    // the size the close glyph was made at
    fw::Region outline;  // none where the background has no pure black pixel to cut away
};

WelcomePictures MakeWelcomePictures(UINT dpi);
