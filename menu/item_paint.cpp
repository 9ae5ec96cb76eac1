#include "menu/item_paint.h"

#include "framework/common_controls.h"
#include "menu/kel_menu.h"
#include "menu/menu_colors.h"
#include "menu/menu_paint.h"
#include "menu/shortcut_column.h"

namespace {
constexpr UINT kLeftText = DT_LEFT | DT_SINGLELINE | DT_VCENTER;
constexpr UINT kRightText = DT_RIGHT | DT_SINGLELINE | DT_VCENTER;
}  // namespace

ItemState StateOf(const DRAWITEMSTRUCT& request, const KelMenuItem& item) {
    return {(request.itemState & ODS_SELECTED) != 0, (request.itemState & ODS_GRAYED) != 0,
            (request.itemState & ODS_CHECKED) != 0, item.imageIndex >= 0};
}

ImageState ImageStateOf(const ItemState& state) {
    if (state.grayed)
        return ImageState::Grayed;
    return state.selected ? ImageState::Selected : ImageState::Plain;
}

bool IsRadioItem(const DRAWITEMSTRUCT& request) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS | MIIM_FTYPE;
    if (!GetMenuItemInfoW(reinterpret_cast<HMENU>(request.hwndItem), request.itemID, FALSE, &info))
        return false;
    return info.hbmpChecked != nullptr || (info.fType & MFT_RADIOCHECK) != 0;
}

void DrawSharedImage(HDC dc, int index, int x, int y, SIZE cell) {
    const HIMAGELIST list = KelMenu::SharedImages();
    int width = 0;
    int height = 0;
    if (fw::ImageListGetIconSize(list, &width, &height) && width == cell.cx && height == cell.cy) {
        fw::ImageListDraw(list, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    fw::Icon icon(fw::ImageListGetIcon(list, index, ILD_NORMAL));
    if (!icon)
        return;
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    DrawIconEx(dc, x, y, icon.get(), cell.cx, cell.cy, 0, nullptr, DI_NORMAL);
    SetStretchBltMode(dc, mode);
}

void DrawGrayedImage(HDC dc, int index, int x, int y, SIZE cell, COLORREF background) {
    fw::Bitmap image = ImageToBitmap(dc, KelMenu::SharedImages(), index, cell.cx, cell.cy);
    if (image)
        DrawEmbossedImage(dc, x, y, cell.cx, cell.cy, image.get(), 0, 0, background);
}

void DrawLabel(HDC dc, const std::wstring& label, RECT rect, int shortcutInset, COLORREF color) {
    const LabelParts parts = SplitLabel(std::u16string(label.begin(), label.end()));
    const std::wstring left(parts.left.begin(), parts.left.end());
    const std::wstring right(parts.right.begin(), parts.right.end());
    if (parts.hasTab)
        rect.right -= shortcutInset;
    SetTextColor(dc, color);
    DrawTextW(dc, left.c_str(), -1, &rect, kLeftText);
    if (parts.hasTab)
        DrawTextW(dc, right.c_str(), -1, &rect, kRightText);
}

void DrawSeparator(HDC dc, const RECT& item, int lineLeft, COLORREF background) {
    fw::FillSolid(dc, item, background);
    RECT line{lineLeft, item.top + (item.bottom - item.top) / 2, item.right, item.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}
