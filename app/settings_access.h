// What makes the settings window usable from the keyboard and with a screen reader, beyond
// its template: Tab in reading order, and a name of its own for every edit box.
#pragma once

#include <windows.h>

// Puts the controls Tab reaches in reading order: the device buttons, the language, the
// sentinel boxes row by row, the tracks, the carriage returns, the command buttons, then each
// replacement pair (its check box first) and the replacement buttons. The arrow keys move
// between the two language buttons.
void PutInReadingOrder(HWND dialog);

// Names every edit box for itself in the language asked for. Screen readers name an edit box
// after the static text just before it in the tab order; a hidden one is put there for each
// box (made the first time, renamed after).
void NameEditBoxes(HWND dialog, bool english);
