// Picture button: taking icons and bitmaps, their masks and grey copies.
#include "controls/picture_button.h"

#include "framework/resources.h"

namespace {

// A monochrome mask of `bitmap`: white where it has exactly the key colour, black elsewhere.
// The key-coloured pixels of `bitmap` itself are turned black, so that painting can put the
// picture over any background with two block transfers.
HBITMAP MakeBitmapMask(HBITMAP bitmap, int width, int height, COLORREF key) {
    fw::Bitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mask)
        return nullptr;
    fw::MemoryDc source(CreateCompatibleDC(nullptr));
    fw::MemoryDc target(CreateCompatibleDC(nullptr));
    if (!source || !target)
        return nullptr;
    {
        fw::Selection sourcePicture(source.get(), bitmap);
        fw::Selection targetMask(target.get(), mask.get());
        const COLORREF oldBack = SetBkColor(source.get(), key);
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        const COLORREF oldText = SetTextColor(source.get(), RGB(255, 255, 255));
        SetBkColor(source.get(), RGB(0, 0, 0));
        BitBlt(source.get(), 0, 0, width, height, target.get(), 0, 0, SRCAND);
        SetTextColor(source.get(), oldText);
        SetBkColor(source.get(), oldBack);
    }
    return mask.release();
}

HICON LoadIconResource(int id) {
    return static_cast<HICON>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(id & 0xFFFF),
                                         IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(id & 0xFFFF),
                                           IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

void PictureButton::ReleaseImages(bool destroy) {
    for (IconSlot& slot : icons) {
        if (destroy)
            slot.icon.reset();
        slot.icon.release();
        slot.width = slot.height = 0;
    }
    for (BitmapSlot& slot : bitmaps) {
        if (destroy) {
            slot.bitmap.reset();
            slot.mask.reset();
        }
        slot.bitmap.release();
        slot.mask.release();
        slot.width = slot.height = 0;
        slot.key = 0;
    }
}

ButtonResult PictureButton::TakeIcon(int slot, HICON icon, SIZE size) {
    icons[slot].icon.reset(icon);
    if (icon && size.cx > 0 && size.cy > 0) {
        icons[slot].width = size.cx;
        icons[slot].height = size.cy;
        return ButtonOk;
    }
    // The system copies both of the icon's bitmaps to say its size.
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) {
        ReleaseImages(true);
        return ButtonBadImage;
    }
    fw::Bitmap handedMask(info.hbmMask);
    fw::Bitmap handedColor(info.hbmColor);
    // An icon's hot spot is its centre.
    icons[slot].width = static_cast<int>(info.xHotspot * 2);
    icons[slot].height = static_cast<int>(info.yHotspot * 2);
    return ButtonOk;
}

ButtonResult PictureButton::SetIcons(HICON active, HICON idle) {
    return SetIcons(active, idle, SIZE{0, 0});
}

ButtonResult PictureButton::SetIcons(HICON active, HICON idle, SIZE size) {
    ReleaseImages(true);
    const bool greyIdle = idle == AutoGreyIconHandle();
    // Owned from here on, also when it ends up in no slot.
    fw::Icon givenIdle(greyIdle ? nullptr : idle);
    if (active) {
        if (TakeIcon(0, active, size) != ButtonOk)
            return ButtonBadImage;
        if (greyIdle || givenIdle) {
            const HICON second = greyIdle ? MakeGreyIcon(active) : givenIdle.release();
            if (TakeIcon(1, second, size) != ButtonOk)  // a grey copy has the same size
                return ButtonBadImage;
        }
    }
    Repaint();
    return ButtonOk;
}

ButtonResult PictureButton::SetIcons(int activeId, int idleId) {
    const HICON active = LoadIconResource(activeId);
    HICON idle = nullptr;
    if (idleId == AutoGreyIcon)
        idle = AutoGreyIconHandle();
    else if (idleId != 0)
        idle = LoadIconResource(idleId);
    return SetIcons(active, idle);
}

HICON PictureButton::MakeGreyIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return nullptr;
    fw::Bitmap mask(info.hbmMask);
    fw::Bitmap color(info.hbmColor);
    fw::ClientDc window(hwnd());
    if (!window.get())
        return nullptr;
    fw::MemoryDc source(CreateCompatibleDC(window.get()));
    fw::MemoryDc target(CreateCompatibleDC(window.get()));
    BITMAP record{};
    if (!source || !target || !color || !GetObjectW(color.get(), sizeof(record), &record))
        return nullptr;
    const int width = static_cast<int>(info.xHotspot * 2);
    const int height = static_cast<int>(info.yHotspot * 2);
    fw::Bitmap grey(CreateBitmap(width, height, record.bmPlanes, record.bmBitsPixel, nullptr));
    if (!grey)
        return nullptr;
    {
        fw::Selection sourceColor(source.get(), color.get());
        fw::Selection targetGrey(target.get(), grey.get());
        BitBlt(target.get(), 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = GetPixel(target.get(), x, y);
                if (pixel == 0)
                    continue;  // pure black stays black
                const BYTE level = GreyLevel(pixel);
                SetPixel(target.get(), x, y, RGB(level, level, level));
            }
        }
    }
    ICONINFO made{TRUE, 0, 0, mask.get(), grey.get()};
    return CreateIconIndirect(&made);
}

ButtonResult PictureButton::TakeBitmap(int slot, HBITMAP bitmap, COLORREF key) {
    BitmapSlot& target = bitmaps[slot];
    target.bitmap.reset(bitmap);
    target.key = key;
    BITMAP record{};
    if (!GetObjectW(bitmap, sizeof(record), &record)) {
        ReleaseImages(true);
        return ButtonBadImage;
    }
    target.width = record.bmWidth;
    target.height = record.bmHeight;
    target.mask.reset(MakeBitmapMask(bitmap, target.width, target.height, key));
    if (!target.mask) {
        ReleaseImages(true);
        return ButtonMaskFailed;
    }
    return ButtonOk;
}

ButtonResult PictureButton::SetBitmaps(HBITMAP active, COLORREF activeKey, HBITMAP idle,
                                       COLORREF idleKey) {
    ReleaseImages(true);
    if (active) {
        const ButtonResult result = TakeBitmap(0, active, activeKey);
        if (result != ButtonOk) {
            if (idle)
                DeleteObject(idle);
            return result;
        }
    }
    if (idle) {
        const ButtonResult result = TakeBitmap(1, idle, idleKey);
        if (result != ButtonOk)
            return result;
    }
    Repaint();
    return ButtonOk;
}

ButtonResult PictureButton::SetBitmaps(int activeId, COLORREF activeKey, int idleId,
                                       COLORREF idleKey) {
    const HBITMAP active = LoadBitmapResource(activeId);
    const HBITMAP idle = idleId != 0 ? LoadBitmapResource(idleId) : nullptr;
    return SetBitmaps(active, activeKey, idle, idleKey);
}
