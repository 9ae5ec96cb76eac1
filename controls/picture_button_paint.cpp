// Picture button: painting, in the order face, border, image, caption, focus rectangle.
#include "controls/picture_button.h"

#include <string>

#include "framework/paint.h"

namespace {

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

PaintState PictureButton::StateOf(const DRAWITEMSTRUCT& request) const {
    const bool selected = (request.itemState & ODS_SELECTED) != 0;
    PaintState state;
    if (checkBoxMode)
        state.pressed = selected || checkState != 0;
    else
        state.pressed = selected || (popupMenu.menu() && menuShown);
    state.hovered = hovering != FALSE;
    state.focused = (request.itemState & ODS_FOCUS) != 0;
    state.disabled = (request.itemState & ODS_DISABLED) != 0;
    return state;
}

void PictureButton::Paint(HDC dc, const RECT& item, const PaintState& state) {
    RECT frame = item;
    SetBkMode(dc, TRANSPARENT);
    if (!flat && (state.focused || isDefault)) {
        fw::FrameSolid(dc, frame, RGB(0, 0, 0));
        InflateRect(&frame, -1, -1);
    }
    if (transparentBackground)
        PaintParentBackground(dc);
    else
        PaintFace(dc, frame, state);
    PaintEdge(dc, frame, state);

    const std::wstring caption = captionPainted_ ? CaptionOf(hwnd()) : std::wstring();
    const bool hasCaption = !caption.empty();
    RECT text = item;
    if (icons[0].icon)
        PaintIcon(dc, hasCaption, item, text, state);
    if (bitmaps[0].bitmap) {
        // With white as background and black (the default) as text colour the mask keeps
        // the target where the key colour was.
        SetBkColor(dc, RGB(255, 255, 255));
        PaintBitmap(dc, hasCaption, item, text, state);
    }
    if (hasCaption)
        PaintCaption(dc, caption, text, state);

    if ((!flat || drawFlatFocus) && state.focused) {
        RECT focus = frame;
        InflateRect(&focus, -Px(3), -Px(3));
        DrawFocusRect(dc, &focus);
    }
}

void PictureButton::PaintEdge(HDC dc, const RECT& frame, const PaintState& state) {
    if (!flat && state.pressed)
        fw::FrameSolid(dc, frame, GetSysColor(COLOR_BTNSHADOW));
    else if (!flat)
        RaisedFrame(dc, frame);
    else if (drawBorder && (state.pressed || state.hovered))
        PaintBorder(dc, frame, state);
}

void PictureButton::PaintCaption(HDC dc, const std::wstring& caption, RECT text,
                                 const PaintState& state) {
    const int shift = Px(1);
    if (state.pressed && !checkBoxMode)
        OffsetRect(&text, shift, shift);
    const RECT room = text;
    DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    OffsetRect(&text, ((room.right - room.left) - (text.right - text.left)) / 2,
               ((room.bottom - room.top) - (text.bottom - text.top)) / 2);
    SetBkMode(dc, TRANSPARENT);
    if (state.disabled) {
        // Engraved: a highlight a pixel down and right, the shadow on top.
        OffsetRect(&text, shift, shift);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
        OffsetRect(&text, -shift, -shift);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
    } else {
        const bool active = state.hovered || state.pressed;
        SetTextColor(dc, SlotColor(active ? ActiveText : IdleText));
        SetBkColor(dc, SlotColor(active ? ActiveFace : IdleFace));
        DrawTextW(dc, caption.c_str(), -1, &text, DT_WORDBREAK | DT_CENTER);
    }
}

ButtonResult PictureButton::PaintFace(HDC dc, const RECT& rect, const PaintState& state) {
    ColorSlot slot = IdleFace;
    if (state.hovered || state.pressed)
        slot = ActiveFace;
    else if (state.focused)
        slot = FocusFace;
    fw::FillSolid(dc, rect, SlotColor(slot));
    return ButtonOk;
}

ButtonResult PictureButton::PaintBorder(HDC dc, const RECT& rect, const PaintState& state) {
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (state.pressed)
        fw::Draw3dRect(dc, rect, shadow, highlight);
    else
        fw::Draw3dRect(dc, rect, highlight, shadow);
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

RECT PictureButton::PlaceImage(bool hasCaption, const RECT& item, RECT& caption, bool pressed,
                               int width, int height) const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const ImagePlacement how{imageAlignment, hasCaption, pressed && !checkBoxMode,
                             client.right,   Px(3),      Px(1)};
    ButtonBox text = ToBox(caption);
    const RECT image = ToRect(::PlaceImage(how, ToBox(item), text, width, height));
    caption = ToRect(text);
    return image;
}

// The active image while pressed (or, unless a check box, hovered), or when there is no idle one.
static int ChooseSlot(const PaintState& state, bool checkBox, bool hasIdle) {
    const bool active = checkBox ? state.pressed : (state.pressed || state.hovered);
    return active || !hasIdle ? 0 : 1;
}

void PictureButton::PaintIcon(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                              const PaintState& state) {
    const IconSlot& slot = icons[ChooseSlot(state, checkBoxMode, static_cast<bool>(icons[1].icon))];
    const RECT image =
        PlaceImage(hasCaption, item, caption, state.pressed, slot.width, slot.height);
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(slot.icon.get()), 0, image.left,
               image.top, image.right - image.left, image.bottom - image.top,
               DST_ICON | (state.disabled ? DSS_DISABLED : DSS_NORMAL));
}

void PictureButton::PaintBitmap(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                                const PaintState& state) {
    const BitmapSlot& slot =
        bitmaps[ChooseSlot(state, checkBoxMode, static_cast<bool>(bitmaps[1].bitmap))];
    const int w = slot.width;
    const int h = slot.height;
    const RECT image = PlaceImage(hasCaption, item, caption, state.pressed, w, h);

    fw::MemoryDc picture(CreateCompatibleDC(dc));
    fw::MemoryDc mask(CreateCompatibleDC(nullptr));
    if (!picture || !mask)
        return;
    fw::Selection pictureBitmap(picture.get(), slot.bitmap.get());
    fw::Selection maskBitmap(mask.get(), slot.mask.get());

    if (state.disabled && showDisabledBitmap) {
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
