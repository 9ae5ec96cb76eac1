// The display as a test wants it while this object lives: one DPI for every window, and high
// contrast on or off (Wine always answers "off").
#pragma once

#include "framework/display.h"

struct DisplayScope : fw::Display {
    explicit DisplayScope(UINT at, bool contrast = false) : dpi(at), highContrast(contrast) {}
    UINT Dpi(HWND) override { return dpi; }
    bool HighContrast() override { return highContrast; }
    UINT dpi;
    bool highContrast;
    fw::Seam<fw::Display>::Substitute installed{fw::DisplaySeam(), *this};
};
