#include "controls/image_placement.h"

ButtonBox PlaceImage(const ImagePlacement& how, const ButtonBox& item, ButtonBox& caption,
                     long width, long height) {
    ButtonBox image = item;
    const long roomX = (image.right - image.left - width) / 2;
    const long roomY = (image.bottom - image.top - height) / 2;
    switch (how.alignment) {
        case ImageLeft:
            if (how.hasCaption) {
                image.left += how.margin;
                caption.left += width + how.margin;
            } else {
                image.left += roomX;
            }
            image.top += roomY;
            break;
        case ImageAbove:
            image.left += roomX;
            if (how.hasCaption) {
                image.top = how.margin;
                caption.top += height;
            } else {
                image.top += roomY;
            }
            break;
        case ImageRight:
            if (how.hasCaption) {
                caption.right = (caption.right - caption.left) - width - how.margin;
                caption.left = how.margin;
                image.left = how.clientRight - width - how.margin;
                image.top += roomY;
            } else {
                image.left += roomX;
            }
            break;
        default:
            break;
    }
    if (how.shiftPressed) {
        image.left += how.shift;
        image.top += how.shift;
        image.right += how.shift;
        image.bottom += how.shift;
    }
    return image;
}
