// Measuring and painting KelMenu items in the classic 3D look and in the flat look.
//
// Every size here is written for 96 DPI and scaled to the DPI of the window the menu is
// measured on; the frames and etched lines stay one pixel wide, as the system's own do.
#include <algorithm>

#include "framework/display.h"
#include "menu/item_paint.h"
#include "menu/kel_menu.h"
#include "menu/menu_look.h"
#include "menu/menu_paint.h"

namespace {

// Gap between the image column and the text.
int ImageGap() {
    return KelMenu::UsesFlatStyle() && kRaisedImages ? 7 : 4;
}

}  // namespace

UINT KelMenu::Dpi() const {
    return fw::DpiOf(ReferenceWindow());
}

SIZE KelMenu::ImageCell(UINT dpi) const {
    return {fw::Scale(imageWidth, dpi), fw::Scale(imageHeight, dpi)};
}

void KelMenu::MeasureItem(MEASUREITEMSTRUCT* request) {
    const KelMenuItem* item = request ? FindRecord(request->itemData) : nullptr;
    if (item == nullptr)
        return;
    const UINT dpi = Dpi();
    const SIZE cell = ImageCell(dpi);
    const int gap = fw::Scale(ImageGap(), dpi);
    const int barHeight = fw::SystemMetric(SM_CYMENU, dpi);
    if (item->menuFlags & MF_SEPARATOR) {
        request->itemWidth = 0;
        request->itemHeight = std::max(barHeight / 2, static_cast<int>(cell.cy + gap) / 2);
        return;
    }
    // In the font the item is drawn with, the menu font.
    SIZE text{};
    {
        fw::ClientDc dc(ReferenceWindow());
        fw::Font font = fw::MenuFont(dpi);
        fw::Selection selection(dc.get(), font.get());
        GetTextExtentPoint32W(dc.get(), item->label().c_str(),
                              static_cast<int>(item->label().size()), &text);
    }
    request->itemWidth = UsesFlatStyle() ? text.cx + cell.cx + gap + fw::Scale(8, dpi)
                                         : text.cx + 2 * cell.cx + fw::Scale(1, dpi);
    request->itemHeight = std::max(barHeight, static_cast<int>(cell.cy) + gap);
}

void KelMenu::DrawItem(const DRAWITEMSTRUCT& request) {
    const KelMenuItem* item = FindRecord(request.itemData);
    if (item == nullptr || request.hDC == nullptr)
        return;
    const bool palette = (GetDeviceCaps(request.hDC, RASTERCAPS) & RC_PALETTE) != 0;
    const int savedDc = SaveDC(request.hDC);
    if (palette || !UsesFlatStyle())
        DrawItemClassic(request, *item);
    else
        DrawItemFlat(request, *item);
    RestoreDC(request.hDC, savedDc);
}

namespace {

// The classic image column: a box of the image cell plus a margin all round, framed.
void DrawClassicImageCell(HDC dc, const ItemState& state, int index, POINT at, SIZE cell,
                          int margin, COLORREF face) {
    const RECT box{at.x, at.y, at.x + cell.cx + 2 * margin, at.y + cell.cy + 2 * margin};
    const RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    const POINT image{at.x + margin, at.y + margin};
    const bool edges = KelMenu::WindowsVersion() >= kEdgesFromCode;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    fw::FrameSolid(dc, inner, face);
    switch (ImageStateOf(state)) {
        case ImageState::Grayed:
            fw::FrameSolid(dc, box, face);
            DrawGrayedImage(dc, index, image.x, image.y, cell, face);
            return;
        case ImageState::Selected:
            fw::FillSolid(dc, inner, face);
            if (edges && state.checked)
                fw::Draw3dRect(dc, box, shadow, light);
            else if (edges)
                fw::Draw3dRect(dc, box, light, shadow);
            break;
        case ImageState::Plain:
            if (state.checked) {
                fw::FillSolid(dc, inner, Blend(face, 0.6));
                if (edges)
                    fw::Draw3dRect(dc, box, shadow, light);
            } else {
                fw::FillSolid(dc, inner, face);
                fw::FrameSolid(dc, box, face);
            }
            break;
    }
    DrawSharedImage(dc, index, image.x, image.y, cell);
}

void DrawClassicText(HDC dc, const ItemState& state, const std::wstring& label, RECT rect,
                     int shortcutInset, COLORREF textColor, COLORREF face, int emboss) {
    SetBkMode(dc, TRANSPARENT);
    if (!state.grayed) {
        DrawLabel(dc, label, rect, shortcutInset, textColor);
    } else if (state.selected) {
        DrawLabel(dc, label, rect, shortcutInset, face);
    } else {
        OffsetRect(&rect, emboss, emboss);
        DrawLabel(dc, label, rect, shortcutInset, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&rect, -emboss, -emboss);
        DrawLabel(dc, label, rect, shortcutInset, GetSysColor(COLOR_GRAYTEXT));
    }
}

}  // namespace

void KelMenu::DrawItemClassic(const DRAWITEMSTRUCT& request, const KelMenuItem& item) {
    HDC dc = request.hDC;
    const RECT& rect = request.rcItem;
    const UINT dpi = Dpi();
    const auto px = [dpi](int pixels) { return fw::Scale(pixels, dpi); };
    const SIZE cell = ImageCell(dpi);
    const COLORREF face = GetSysColor(IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
    // The classic look shows a disabled item selected like any other.
    const ItemState state = StateOf(request, item);
    if (item.menuFlags & MF_SEPARATOR) {
        DrawSeparator(dc, rect, rect.left, face);
        return;
    }
    COLORREF textColor = GetSysColor(COLOR_MENUTEXT);
    if (!state.selected) {
        fw::FillSolid(dc, rect, face);
    } else {
        RECT fill = rect;
        if (state.hasImage || state.checked)
            fill.left += cell.cx + px(5);
        fw::FillSolid(dc, fill, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    const int dy = std::max(0L, (rect.bottom - rect.top - cell.cy - px(4)) / 2);
    if (state.hasImage) {
        DrawClassicImageCell(dc, state, item.imageIndex, {rect.left, rect.top + dy}, cell, px(2),
                             face);
    } else if (state.checked) {
        const RECT box{rect.left + px(1), rect.top + dy + px(2), rect.left + cell.cx + px(1),
                       rect.top + dy + cell.cy + px(2)};
        DrawClassicCheckBox(dc, box, state.selected, IsRadioItem(request), dpi);
    }
    if (item.label().empty())
        return;
    const RECT text{rect.left + cell.cx + px(9), rect.top - px(1), rect.right, rect.bottom - px(1)};
    DrawClassicText(dc, state, item.label(), text, cell.cx, textColor, face, px(1));
}
