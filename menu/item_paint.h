// Pieces of one menu item's paint that the classic and the flat look share.
#pragma once

#include <windows.h>

#include <string>

#include "menu/kel_menu_item.h"

// What one paint request asks for.
struct ItemState {
    bool selected;
    bool grayed;
    bool checked;
    bool hasImage;
};
ItemState StateOf(const DRAWITEMSTRUCT& request, const KelMenuItem& item);

enum class ImageState { Selected, Grayed, Plain };
ImageState ImageStateOf(const ItemState& state);

// A check mark drawn as a dot: items given a checked-state bitmap or the radio type.
bool IsRadioItem(const DRAWITEMSTRUCT& request);

// Entry `index` of the shared image list, transparently, at (x, y), `cell` large: the list
// holds the images as drawn for 96 DPI, and at another DPI each pixel becomes a block.
void DrawSharedImage(HDC dc, int index, int x, int y, SIZE cell);
// The same entry embossed as disabled on `background`.
void DrawGrayedImage(HDC dc, int index, int x, int y, SIZE cell, COLORREF background);

// The name left and the shortcut (after the last tab) right, `shortcutInset` short of the
// right edge, both in `color`.
void DrawLabel(HDC dc, const std::wstring& label, RECT rect, int shortcutInset, COLORREF color);

// Fills the item and draws an etched line from `lineLeft` across its vertical middle.
void DrawSeparator(HDC dc, const RECT& item, int lineLeft, COLORREF background);
