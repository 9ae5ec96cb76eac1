// Captions that fit at any display scaling, in any language: a dialog's controls grow at run
// time, in place of the template's sizes that leave a caption no room (framework/grow_layout.h
// says how what follows them moves), and the dialog grows with them. The template stays as
// it is; a control that is large enough keeps its size.
#pragma once

#include <windows.h>

namespace fw {

// The width `control` needs to show its whole caption in its own font, as the system lays out
// a control of its class and style (wrapped where it wraps, within its height); 0 for a
// control without a caption of its own.
long NeededWidth(HWND control);

// Grows the visible controls of `dialog` that need it, and the dialog, so that every caption
// is whole.
void FitCaptions(HWND dialog);

}  // namespace fw
