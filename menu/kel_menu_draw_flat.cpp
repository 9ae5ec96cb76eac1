// Painting KelMenu items in the flat look: a light bar under the image column, a light
// highlight with a frame, raised images under the mouse.
#include <algorithm>
#include <optional>

#include "framework/display.h"
#include "menu/image_resources.h"
#include "menu/item_paint.h"
#include "menu/kel_menu.h"
#include "menu/menu_look.h"
#include "menu/menu_paint.h"

namespace {

struct FlatColors {
    COLORREF window;     // item background
    COLORREF bar;        // the image column
    COLORREF highlight;  // frames of selected items and checked cells
    COLORREF selection;  // selected item background
};

FlatColors CurrentFlatColors() {
    const bool themed = KelMenu::IsThemedXp();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    return {GetSysColor(COLOR_WINDOW), themed ? face : Blend(face, 0.25), highlight,
            Blend(highlight, themed ? 0.7 : 0.85)};
}

// Where the image goes in its column and which entries a raised image uses.
struct FlatImage {
    int index;
    bool raised;  // entries index + 1 (faded) and index + 2 (shadow) exist
    int x;
    int y;
    int lift;  // how far a raised or checked image moves up and left (1 pixel at 96 DPI)
};

void DrawFlatImageCell(HDC dc, const ItemState& state, const FlatImage& image, const RECT& item,
                       const RECT& cell, SIZE size, const FlatColors& colors) {
    switch (ImageStateOf(state)) {
        case ImageState::Grayed:
            DrawGrayedImage(dc, image.index, image.x, image.y, size,
                            state.selected ? colors.selection : colors.bar);
            if (state.selected)
                fw::FrameSolid(dc, item, colors.highlight);
            return;
        case ImageState::Selected:
            fw::FillSolid(dc, cell, colors.selection);
            if (state.checked) {
                fw::FrameSolid(dc, cell, colors.highlight);
                DrawSharedImage(dc, image.index, image.x - image.lift, image.y - image.lift, size);
            } else if (image.raised) {
                DrawSharedImage(dc, image.index + 2, image.x + image.lift, image.y + image.lift,
                                size);
                DrawSharedImage(dc, image.index, image.x - image.lift, image.y - image.lift, size);
            } else {
                DrawSharedImage(dc, image.index, image.x, image.y, size);
            }
            return;
        case ImageState::Plain:
            if (state.checked) {
                fw::FillSolid(dc, cell, Blend(colors.highlight, 0.85));
                fw::FrameSolid(dc, cell, colors.highlight);
                DrawSharedImage(dc, image.index, image.x - image.lift, image.y - image.lift, size);
            } else {
                fw::FillSolid(dc, cell, colors.bar);
                fw::FrameSolid(dc, cell, colors.bar);
                DrawSharedImage(dc, image.raised ? image.index + 1 : image.index, image.x, image.y,
                                size);
            }
            return;
    }
}

void FillFlatBackground(HDC dc, const ItemState& state, const RECT& item, int bar,
                        const FlatColors& colors) {
    if (state.selected) {
        fw::FillSolid(dc, item, colors.selection);
        fw::FrameSolid(dc, item, colors.highlight);
        return;
    }
    fw::FillSolid(dc, item, colors.window);
    fw::FrameSolid(dc, item, colors.window);
    const RECT column{item.left, item.top, item.left + bar, item.bottom};
    fw::FillSolid(dc, column, colors.bar);
    fw::FrameSolid(dc, column, colors.bar);
}

COLORREF FlatTextColor(const ItemState& state) {
    if (!state.grayed)
        return GetSysColor(COLOR_MENUTEXT);
    const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
    return KelMenu::IsThemedXp() || state.selected ? gray : Blend(gray, 0.4);
}

}  // namespace

void KelMenu::DrawItemFlat(const DRAWITEMSTRUCT& request, const KelMenuItem& item) {
    const RECT& rect = request.rcItem;
    const UINT dpi = Dpi();
    const auto px = [dpi](int pixels) { return fw::Scale(pixels, dpi); };
    const SIZE size = ImageCell(dpi);
    ItemState state = StateOf(request, item);
    // A grayed item is drawn off-screen in the menu font and reaches the screen in one copy.
    std::optional<OffscreenDc> offscreen;
    fw::Font font;
    std::optional<fw::Selection> fontSelection;
    HDC dc = request.hDC;
    if (state.grayed && !kFlatSelectsDisabled) {
        state.selected = false;
        offscreen.emplace(dc, rect);
        dc = offscreen->get();
        font = fw::MenuFont(dpi);
        fontSelection.emplace(dc, font.get());
    }
    const FlatColors colors = CurrentFlatColors();
    const int gap = px(kRaisedImages ? 7 : 4);
    const int bar = size.cx + gap;
    const int height = rect.bottom - rect.top;
    if (item.menuFlags & MF_SEPARATOR) {
        DrawSeparator(dc, rect, rect.left + bar + gap, colors.window);
        const RECT column{rect.left, rect.top, rect.left + bar, rect.bottom};
        fw::FillSolid(dc, column, colors.bar);
        fw::FrameSolid(dc, column, colors.bar);
        return;
    }
    FillFlatBackground(dc, state, rect, bar, colors);
    if (state.hasImage) {
        const FlatImage image{
            item.imageIndex, kRaisedImages && HasRaisedVariants(SharedImageIds(), item.imageIndex),
            static_cast<int>(rect.left) + std::max(0, (bar - static_cast<int>(size.cx) + 1) / 2),
            static_cast<int>(rect.top) + std::max(0, (height - static_cast<int>(size.cy) + 1) / 2),
            px(1)};
        const RECT cell{rect.left + 1, rect.top + 1, rect.left + bar - 1, rect.bottom - 1};
        DrawFlatImageCell(dc, state, image, rect, cell, size, colors);
    } else if (state.checked) {
        const int box = px(16);
        const int cx = std::max(0, (bar - box + 1) / 2);
        const int cy = std::max(0, (height - box + 1) / 2);
        const RECT cell{rect.left + cx, rect.top + cy, rect.left + cx + box, rect.top + cy + box};
        DrawFlatCheckBox(dc, cell, IsRadioItem(request), colors.highlight, dpi);
    }
    if (item.label().empty())
        return;
    SetBkMode(dc, TRANSPARENT);
    const RECT text{rect.left + bar + px(8), rect.top - px(1), rect.right, rect.bottom - px(1)};
    DrawLabel(dc, item.label(), text, size.cx, FlatTextColor(state));
}
