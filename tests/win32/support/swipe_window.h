// Drives the swipe test window as a person and a reader do: opened from the settings window's
// system menu, the focus put on its "Show full numbers" box, a swipe typed with SendInput,
// the verdict waited for, then Clear, then Escape.
#pragma once

#include <windows.h>

#include <string>

// What the window showed along the way.
struct SwipeSeen {
    HWND window = nullptr;  // no longer a window once it has closed
    std::wstring title, clear;
    std::wstring capture, result;  // once the verdict showed
    bool visibleAfterSwipe = false;
    bool focusKept = false;     // the focus still on the check box
    bool checkBoxLeft = false;  // and the box still unchecked
    std::wstring resultInFull;  // the verdict once "Show full numbers" was checked
    std::wstring captureAfterClear, resultAfterClear;
    double verdictMs = -1;  // from the last key sent to the verdict seen (polled every 1 ms)
};

// Returns once the window has closed. The keys go in one burst, as fast as the system takes
// them, or, with `pacedMs`, one every `pacedMs` milliseconds from a thread of their own, as a
// reader sends them; `readyMs` after the window opened, the time a person takes to swipe.
SwipeSeen SwipeThroughWindow(HWND settings, const std::wstring& swipe, DWORD pacedMs = 0,
                             DWORD readyMs = 0);
