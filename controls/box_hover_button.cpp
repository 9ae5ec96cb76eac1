#include "controls/box_hover_button.h"

ButtonResult BoxHoverButton::PaintFace(HDC dc, const RECT& rect, const PaintState& state) {
    if (!state.hovered && !state.pressed)
        return PictureButton::PaintFace(dc, rect, state);
    fw::Brush brush(CreateSolidBrush(SlotColor(ActiveFace)));
    fw::Pen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    fw::Selection useBrush(dc, brush.get());
    fw::Selection usePen(dc, pen.get());
    if (roundedBox)
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Px(50), Px(50));
    else
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    return ButtonOk;
}

ButtonResult BoxHoverButton::PaintBorder(HDC, const RECT&, const PaintState&) {
    return ButtonOk;
}
