// A static text or group box of a dialog with its own text colour and font.
//
// The control keeps its usual painting: the label answers the parent's colour request for
// it (reflected WM_CTLCOLORSTATIC) with its font, its text colour, transparent text and a
// button-face brush, and also gives the control its font so that every painter uses it.
//
// The font description holds 96-DPI sizes; the font is made for the DPI of the label's window
// (SetDpi when that changes). Under high contrast the text takes the system's colour.
#pragma once

#include <windows.h>

#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/window.h"

class TextLabel : public fw::Window {
public:
    // Lives as long as its control: the control keeps using the label's font.
    TextLabel();
    ~TextLabel() override = default;

    TextLabel& SetLabelTextColor(COLORREF color);
    TextLabel& SetLabelBold(BOOL bold);
    TextLabel& SetLabelHeight(int size);
    // Face names longer than LF_FACESIZE - 1 characters are cut.
    TextLabel& SetLabelFace(const char* face);
    TextLabel& RebuildLabelFont();
    // The DPI the label is shown at from now on; its font is made again for it.
    TextLabel& SetDpi(UINT dpi);

    COLORREF textColor() const { return textColor_; }
    const LOGFONTA& fontDescription() const { return fontDescription_; }
    HFONT font() const { return font_.get(); }

protected:
    void PreSubclassWindow() override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    HBRUSH CtlColor(HDC dc, UINT controlType);
    void Redraw();

    COLORREF textColor_;
    fw::Brush background_;
    LOGFONTA fontDescription_{};
    fw::Font font_;
    UINT dpi_ = fw::kBaseDpi;
};
