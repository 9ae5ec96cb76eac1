// A picture button that shows a filled, black-outlined box while the mouse is over it or it
// is pressed, and never a 3-D border.
#pragma once

#include "controls/picture_button.h"

class BoxHoverButton : public PictureButton {
public:
    BoxHoverButton() = default;
    ~BoxHoverButton() override = default;

protected:
    ButtonResult PaintFace(HDC dc, const RECT& rect, const PaintState& state) override;
    ButtonResult PaintBorder(HDC dc, const RECT& rect, const PaintState& state) override;

    BOOL roundedBox = FALSE;
};
