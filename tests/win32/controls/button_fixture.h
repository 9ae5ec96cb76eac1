// Picture buttons opened to the tests, and painting one into a canvas.
#pragma once

#include <windows.h>

#include "canvas.h"
#include "controls/box_hover_button.h"
#include "controls/picture_button.h"

// Opens the button's state to the tests.
template <typename Base>
class Probe : public Base {
public:
    using Base::bitmaps;
    using Base::checkBoxMode;
    using Base::colors;
    using Base::flat;
    using Base::hovering;
    using Base::icons;
    using Base::isDefault;
    using Base::transparentBackground;
};
using ProbeButton = Probe<PictureButton>;
using ProbeBoxButton = Probe<BoxHoverButton>;

// Paints `button` into a canvas of its size with the given item state bits.
void Render(PictureButton& button, Canvas& canvas, UINT itemState);
