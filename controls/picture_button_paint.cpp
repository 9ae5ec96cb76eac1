// Picture button: painting, in the order face, border, image, caption, focus rectangle.
#include "controls/picture_button.h"

#include <string>

namespace {

void FillSolid(HDC dc, int x, int y, int width, int height, COLORREF color) {
    const COLORREF old = SetBkColor(dc, color);
    const RECT rect{x, y, x + width, y + height};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

// A one-pixel frame: top and left in one colour, right and bottom in the other.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    FillSolid(dc, rect.left, rect.top, width - 1, 1, topLeft);
    FillSolid(dc, rect.left, rect.top, 1, height - 1, topLeft);
    FillSolid(dc, rect.right - 1, rect.top, 1, height, bottomRight);
    FillSolid(dc, rect.left, rect.bottom - 1, width, 1, bottomRight);
}

void FrameWith(HDC dc, const RECT& rect, COLORREF color) {
    fw::Brush brush(CreateSolidBrush(color));
    FrameRect(dc, &rect, brush.get());
}

// Two joined one-pixel lines from `from` through `through` to `to` (end point not painted).
void JoinedLines(HDC dc, COLORREF color, POINT from, POINT through, POINT to) {
    fw::Pen pen(CreatePen(PS_SOLID, 0, color));
    fw::Selection use(dc, pen.get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, through.x, through.y);
    LineTo(dc, to.x, to.y);
}

void RaisedFrame(HDC dc, const RECT& r) {
    JoinedLines(dc, GetSysColor(COLOR_BTNHIGHLIGHT), {r.left, r.bottom - 1}, {r.left, r.top},
                {r.right, r.top});
    JoinedLines(dc, GetSysColor(COLOR_3DLIGHT), {r.left + 1, r.bottom - 1}, {r.left + 1, r.top + 1},
                {r.right, r.top + 1});
    JoinedLines(dc, GetSysColor(COLOR_3DDKSHADOW), {r.left, r.bottom - 1},
                {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1});
    JoinedLines(dc, GetSysColor(COLOR_BTNSHADOW), {r.left + 1, r.bottom - 2},
                {r.right - 2, r.bottom - 2}, {r.right - 2, r.top});
}

std::wstring CaptionOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()))));
    return text;
}

ButtonBox ToBox(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
RECT ToRect(const ButtonBox& b) {
    return {static_cast<LONG>(b.left), static_cast<LONG>(b.top), static_cast<LONG>(b.right),
            static_cast<LONG>(b.bottom)};
}

}  // namespace

void PictureButton::DrawItem(const DRAWITEMSTRUCT& request) {
    const HDC dc = request.hDC;
    if (checkBoxMode)
        pressed = (request.itemState & ODS_SELECTED) || checkState != 0;
    else
        pressed = (request.itemState & ODS_SELECTED) || (popupMenu.menu() && menuShown);
    focused = (request.itemState & ODS_FOCUS) != 0;
    disabled = (request.itemState & ODS_DISABLED) != 0;

    RECT frame = request.rcItem;
    SetBkMode(dc, TRANSPARENT);
    if (!flat && (focused || isDefault)) {
        FrameWith(dc, frame, RGB(0, 0, 0));
        InflateRect(&frame, -1, -1);
    }

    if (transparentBackground)
        PaintParentBackground(dc);
    else
        PaintFace(dc, frame);

    if (pressed) {
        if (flat && drawBorder)
            PaintBorder(dc, frame);
        else if (!flat)
            FrameWith(dc, frame, GetSysColor(COLOR_BTNSHADOW));
    } else if (flat) {
        if (hovering && drawBorder)
            PaintBorder(dc, frame);
    } else {
        RaisedFrame(dc, frame);
    }

    const std::wstring caption = CaptionOf(hwnd());
    const bool hasCaption = !caption.empty();
    RECT text = request.rcItem;
    if (icons[0].icon)
        PaintIcon(dc, hasCaption, request.rcItem, text, pressed, disabled);
    if (bitmaps[0].bitmap) {
        // With white as background and black (the default) as text colour the mask keeps
        // the target where the key colour was.
        SetBkColor(dc, RGB(255, 255, 255));
        PaintBitmap(dc, hasCaption, request.rcItem, text, pressed, disabled);
    }

    if (hasCaption) {
        if (pressed && !checkBoxMode)
            OffsetRect(&text, 1, 1);
        const RECT room = text;
        DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
        OffsetRect(&text, ((room.right - room.left) - (text.right - text.left)) / 2,
                   ((room.bottom - room.top) - (text.bottom - text.top)) / 2);
        SetBkMode(dc, TRANSPARENT);
        if (disabled) {
            // Engraved: a highlight one pixel down and right, the shadow on top.
            OffsetRect(&text, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
            OffsetRect(&text, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
            DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
        } else {
            const bool active = hovering || pressed;
            SetTextColor(dc, colors[active ? ActiveText : IdleText]);
            SetBkColor(dc, colors[active ? ActiveFace : IdleFace]);
            DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
        }
    }

    if ((!flat || drawFlatFocus) && focused) {
        RECT focus = frame;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

ButtonResult PictureButton::PaintFace(HDC dc, const RECT& rect) {
    ColorSlot slot = IdleFace;
    if (hovering || pressed)
        slot = ActiveFace;
    else if (focused)
        slot = FocusFace;
    fw::Brush brush(CreateSolidBrush(colors[slot]));
    FillRect(dc, &rect, brush.get());
    return ButtonOk;
}

ButtonResult PictureButton::PaintBorder(HDC dc, const RECT& rect) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (pressed)
        Draw3dRect(dc, rect, shadow, highlight);
    else
        Draw3dRect(dc, rect, highlight, shadow);
    return ButtonOk;
}

void PictureButton::PaintParentBackground(HDC dc) {
    const HWND parent = GetParent(hwnd());
    fw::ClientDc parentDc(parent);
    RECT client;
    GetClientRect(hwnd(), &client);
    RECT placed;
    GetWindowRect(hwnd(), &placed);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (!background_.dc) {
        background_.dc.reset(CreateCompatibleDC(parentDc.get()));
        background_.bitmap.reset(CreateCompatibleBitmap(parentDc.get(), width, height));
        if (!background_.dc || !background_.bitmap) {
            background_.Drop();
            return;
        }
        background_.selection.emplace(background_.dc.get(), background_.bitmap.get());
        BitBlt(background_.dc.get(), 0, 0, width, height, parentDc.get(), placed.left, placed.top,
               SRCCOPY);
    }
    BitBlt(dc, 0, 0, width, height, background_.dc.get(), 0, 0, SRCCOPY);
}

void PictureButton::PlaceImage(bool hasCaption, const RECT& item, RECT& caption, bool isPressed,
                               int width, int height, RECT& image) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const ImagePlacement how{imageAlignment, hasCaption, isPressed && !checkBoxMode, client.right};
    ButtonBox text = ToBox(caption);
    image = ToRect(::PlaceImage(how, ToBox(item), text, width, height));
    caption = ToRect(text);
}

int PictureButton::ChooseSlot(bool hasIdle) const {
    const bool active = checkBoxMode ? pressed : (pressed || hovering);
    return active || !hasIdle ? 0 : 1;
}

void PictureButton::PaintIcon(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                              bool isPressed, bool isDisabled) {
    const IconSlot& slot = icons[ChooseSlot(static_cast<bool>(icons[1].icon))];
    RECT image;
    PlaceImage(hasCaption, item, caption, isPressed, slot.width, slot.height, image);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(slot.icon.get()), 0, image.left,
               image.top, image.right - image.left, image.bottom - image.top,
               DST_ICON | (isDisabled ? DSS_DISABLED : DSS_NORMAL));
}

void PictureButton::PaintBitmap(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                                bool isPressed, bool isDisabled) {
    const BitmapSlot& slot = bitmaps[ChooseSlot(static_cast<bool>(bitmaps[1].bitmap))];
    const int w = slot.width;
    const int h = slot.height;
    RECT image;
    PlaceImage(hasCaption, item, caption, isPressed, w, h, image);

    fw::MemoryDc picture(CreateCompatibleDC(dc));
    fw::MemoryDc mask(CreateCompatibleDC(nullptr));
    if (!picture || !mask)
        return;
    fw::Selection pictureBitmap(picture.get(), slot.bitmap.get());
    fw::Selection maskBitmap(mask.get(), slot.mask.get());

    if (isDisabled && showDisabledBitmap) {
        // The picture on a white ground, embossed by the system.
        fw::Bitmap ground(CreateCompatibleBitmap(dc, w, h));
        {
            fw::MemoryDc work(CreateCompatibleDC(dc));
            if (!work || !ground)
                return;
            fw::Selection groundBitmap(work.get(), ground.get());
            const RECT all{0, 0, image.right + 1, image.bottom + 1};
            FillRect(work.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            const COLORREF oldBack = SetBkColor(work.get(), RGB(255, 255, 255));
            BitBlt(work.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
            BitBlt(work.get(), 0, 0, w, h, picture.get(), 0, 0, SRCPAINT);
            SetBkColor(work.get(), oldBack);
        }
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(ground.get()), 0, image.left,
                   image.top, w, h, DST_BITMAP | DSS_DISABLED);
        return;
    }
    BitBlt(dc, image.left, image.top, w, h, mask.get(), 0, 0, SRCAND);
    BitBlt(dc, image.left, image.top, w, h, picture.get(), 0, 0, SRCPAINT);
}
