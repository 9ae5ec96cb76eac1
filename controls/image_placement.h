// Where a picture button puts its image and how much room that leaves the caption.
// No window code: tested natively.
#pragma once

struct ButtonBox {
    long left;
    long top;
    long right;
    long bottom;
};

enum ImageAlignment {
    ImageLeft = 0,   // image at the left, caption to its right
    ImageAbove = 1,  // image above the caption
    ImageRight = 2,  // image at the right, caption to its left
};

struct ImagePlacement {
    int alignment;
    bool hasCaption;
    bool shiftPressed;  // pressed and not a check box: the image moves right and down
    long clientRight;   // right edge of the button's client rectangle
    long margin;        // between the image and the button's edge (3 pixels at 96 DPI)
    long shift;         // how far a pressed image moves (1 pixel at 96 DPI)
};

// Returns the image rectangle: only its left and top edges move away from `item`.
// `caption` is narrowed to the room that the image leaves.
ButtonBox PlaceImage(const ImagePlacement& how, const ButtonBox& item, ButtonBox& caption,
                     long width, long height);
