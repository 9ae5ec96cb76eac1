#include "controls/image_placement.h"

ButtonBox PlaceImage(const ImagePlacement& how, const ButtonBox& item, ButtonBox& caption,
                     long width, long height) {
    ButtonBox image = item;
    const long roomX = (image.right - image.left - width) / 2;
    const long roomY = (image.bottom - image.top - height) / 2;
    switch (how.alignment) {
        case ImageLeft:
            if (how.hasCaption) {
                image.left += 3;
                caption.left += width + 3;
            } else {
                image.left += roomX;
            }
            image.top += roomY;
            break;
        case ImageAbove:
            image.left += roomX;
            if (how.hasCaption) {
                image.top = 3;
                caption.top += height;
            } else {
                image.top += roomY;
            }
            break;
        case ImageRight:
            if (how.hasCaption) {
                caption.right = (caption.right - caption.left) - width - 3;
                caption.left = 3;
                image.left = how.clientRight - width - 3;
                image.top += roomY;
            } else {
                image.left += roomX;
            }
            break;
        default:
            break;
    }
    if (how.shiftPressed) {
        image.left += 1;
        image.top += 1;
        image.right += 1;
        image.bottom += 1;
    }
    return image;
}
