// Display scaling and high contrast: the one place that knows a window's DPI.
//
// Sizes in the code are written for 96 DPI and scaled where they are used, with Scale and
// the DPI of the window they are drawn in. Fonts and metrics of the system are asked for that
// DPI. Functions newer than Windows 7 are looked up at run time, so the program also starts
// where they are missing (Windows 7 and 8.1) and under Wine, whose user32 lacks some of them.
#pragma once

#include <windows.h>

#include "framework/gdi.h"
#include "framework/seam.h"

namespace fw {

constexpr UINT kBaseDpi = 96;

// `pixels` at 96 DPI, at `dpi` (rounded to the nearest pixel).
inline int Scale(int pixels, UINT dpi) {
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

// What the program asks of the display. Tests put their own answers in its place: another
// DPI for code that draws by itself, high contrast where the system always says "off".
class Display {
public:
    virtual ~Display() = default;
    // The DPI `window` is shown at (the system's DPI for no window).
    virtual UINT Dpi(HWND window);
    // Whether the person asked the system for high contrast: then everything the program
    // paints by itself takes the system's colours.
    virtual bool HighContrast();
};

// The system's answers unless a substitute is installed (framework/seam.h).
Seam<Display>& DisplaySeam();

inline UINT DpiOf(HWND window) {
    return DisplaySeam().Current().Dpi(window);
}
inline bool HighContrast() {
    return DisplaySeam().Current().HighContrast();
}

// Asks the dialog manager to leave the font of a dialog's `control` alone when the dialog moves
// to a display of another scale: the control's owner makes it again for the new DPI.
void KeepOwnFont(HWND control);

// A system metric (GetSystemMetrics index) at `dpi`.
int SystemMetric(int index, UINT dpi);
// The system's menu font, and the font of status bars and tooltips, made for `dpi`. The caller
// owns it.
Font MenuFont(UINT dpi);
Font StatusFont(UINT dpi);

}  // namespace fw
