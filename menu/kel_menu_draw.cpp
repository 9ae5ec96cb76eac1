// Measuring and painting KelMenu items in the classic 3D look and in the flat look.
#include <algorithm>
#include <optional>

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

void KelMenu::MeasureItem(MEASUREITEMSTRUCT* request) {
    const KelMenuItem* item = request ? FindRecord(request->itemData) : nullptr;
    if (item == nullptr)
        return;
    const int gap = ImageGap();
    if (item->menuFlags & MF_SEPARATOR) {
        request->itemWidth = 0;
        request->itemHeight = std::max(GetSystemMetrics(SM_CYMENU) / 2, (imageHeight + gap) / 2);
        return;
    }
    SIZE text{};
    {
        fw::ClientDc dc(ReferenceWindow());
        fw::Font font = CreateMenuFont();
        std::optional<fw::Selection> selection;
        if (WindowsVersion() >= kEdgesFromCode)
            selection.emplace(dc.get(), font.get());
        GetTextExtentPoint32W(dc.get(), item->label.c_str(), static_cast<int>(item->label.size()),
                              &text);
    }
    request->itemWidth =
        UsesFlatStyle() ? text.cx + imageWidth + gap + 8 : text.cx + 2 * imageWidth + 1;
    request->itemHeight = std::max(GetSystemMetrics(SM_CYMENU), imageHeight + gap);
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

// The classic image column: a box of the image cell plus 2 pixels all round.
void DrawClassicImageCell(HDC dc, const ItemState& state, int index, int left, int top, SIZE cell,
                          COLORREF face) {
    const RECT inner{left + 1, top + 1, left + cell.cx + 3, top + cell.cy + 3};
    const RECT box{left, top, left + cell.cx + 4, top + cell.cy + 4};
    const bool edges = KelMenu::WindowsVersion() >= kEdgesFromCode;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    fw::FrameSolid(dc, inner, face);
    switch (ImageStateOf(state)) {
        case ImageState::Grayed:
            fw::FrameSolid(dc, box, face);
            DrawGrayedImage(dc, index, left + 2, top + 2, cell, face);
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
    DrawSharedImage(dc, index, left + 2, top + 2);
}

void DrawClassicText(HDC dc, const ItemState& state, const std::wstring& label, RECT rect,
                     int shortcutInset, COLORREF textColor, COLORREF face) {
    SetBkMode(dc, TRANSPARENT);
    if (!state.grayed) {
        DrawLabel(dc, label, rect, shortcutInset, textColor);
    } else if (state.selected) {
        DrawLabel(dc, label, rect, shortcutInset, face);
    } else {
        OffsetRect(&rect, 1, 1);
        DrawLabel(dc, label, rect, shortcutInset, GetSysColor(COLOR_BTNHIGHLIGHT));
        OffsetRect(&rect, -1, -1);
        DrawLabel(dc, label, rect, shortcutInset, GetSysColor(COLOR_GRAYTEXT));
    }
}

}  // namespace

void KelMenu::DrawItemClassic(const DRAWITEMSTRUCT& request, const KelMenuItem& item) {
    HDC dc = request.hDC;
    const RECT& rect = request.rcItem;
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
            fill.left += imageWidth + 5;
        fw::FillSolid(dc, fill, GetSysColor(COLOR_HIGHLIGHT));
        textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    }
    const int dy = std::max(0L, (rect.bottom - rect.top - imageHeight - 4) / 2);
    const SIZE cell{imageWidth, imageHeight};
    if (state.hasImage) {
        DrawClassicImageCell(dc, state, item.imageIndex, rect.left, rect.top + dy, cell, face);
    } else if (state.checked) {
        const RECT box{rect.left + 1, rect.top + dy + 2, rect.left + imageWidth + 1,
                       rect.top + dy + imageHeight + 2};
        DrawClassicCheckBox(dc, box, state.selected, IsRadioItem(request));
    }
    if (item.label.empty())
        return;
    const RECT text{rect.left + imageWidth + 9, rect.top - 1, rect.right, rect.bottom - 1};
    DrawClassicText(dc, state, item.label, text, imageWidth, textColor, face);
}
