// Growing a dialog's controls to the width their texts need, moving what follows them.
//
// A control grows to the right (one with right-aligned text first takes what room there is
// to its left), and then everything keeps its distance: a control that stood to the right of
// another in the same row stays that far to the right of it, and a frame (group box) keeps
// what it held inside it with the margins it had, growing as its content grows. Nothing ever
// moves left of where it was but a right-aligned control into room it had. Controls that stood
// one above the other with one width (a column of buttons) keep one width, and one that reached
// across to the right side of the client area still does. No window code: tested natively.
#pragma once

#include <vector>

struct LayoutBox {
    long left;
    long top;
    long right;
    long bottom;
    long need = 0;           // the width its text needs (0: whatever it has)
    bool frame = false;      // a group box: it holds the boxes inside it
    bool growsLeft = false;  // right-aligned text: room to its left is taken first
};

// Grows `boxes` in place; returns how much wider the client area must become to hold them
// (0 when it need not). `slack` is how far a box may stick out of a frame and still count as
// inside it, and the least distance a control keeps from its frame's left side.
long GrowToFit(std::vector<LayoutBox>& boxes, long clientWidth, long slack);
