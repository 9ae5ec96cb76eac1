#include "app/splash_dialog.h"

#include <algorithm>

#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {
HBITMAP LoadWelcomePicture() {
    return LoadBitmapW(fw::ResourceModule(), MAKEINTRESOURCEW(IDB_WELCOME));
}

// `rect` of a window whose client area is `from` moved and stretched to where a client area
// of `to` has it.
RECT Stretched(const RECT& rect, SIZE from, SIZE to) {
    return {MulDiv(rect.left, to.cx, from.cx), MulDiv(rect.top, to.cy, from.cy),
            MulDiv(rect.right, to.cx, from.cx), MulDiv(rect.bottom, to.cy, from.cy)};
}
}  // namespace

SplashDialog::SplashDialog(HWND parent) : fw::Dialog(IDD_SPLASH, parent) {}

void SplashDialog::DoDataExchange() {
    closeButton.SubclassDlgItem(IDCANCEL, hwnd());
    enterButton.SubclassDlgItem(IDOK, hwnd());
}

BOOL SplashDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();

    fw::Bitmap picture(LoadWelcomePicture());
    if (picture) {
        BITMAP record{};
        GetObjectW(picture.get(), sizeof(record), &record);
        FitToPicture({record.bmWidth, record.bmHeight});
        // Only pure black is cut away; the system owns the region once it is set.
        fw::Region outline(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
        if (outline && SetWindowRgn(hwnd(), outline.get(), TRUE))
            outline.HandToSystem();
    }

    enterButton.SetBitmaps(IDB_ENTER, RGB(255, 255, 255), 0, 0);
    enterButton.ShiftColor(ActiveFace, 30, true);
    enterButton.UseParentBackground(true);

    closeButton.SetIcons(IDI_CLOSE, 0);
    closeButton.UseParentBackground(true);
    return TRUE;
}

// The window is laid out in dialog units of its font. Where that font makes it smaller than its
// picture (Wine's stand-in for the "System" font does), it grows to the picture around its
// centre, and its buttons move and grow with it, so that they stay where the picture has them.
// A window large enough stays exactly as it is.
void SplashDialog::FitToPicture(SIZE picture) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const SIZE from{client.right, client.bottom};
    if (from.cx <= 0 || from.cy <= 0 || (from.cx >= picture.cx && from.cy >= picture.cy))
        return;
    const SIZE to{std::max(from.cx, picture.cx), std::max(from.cy, picture.cy)};
    for (int id : {IDOK, IDCANCEL}) {
        const HWND button = Item(id);
        RECT rect{};
        if (button == nullptr || !GetWindowRect(button, &rect))
            continue;
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        const RECT moved = Stretched(rect, from, to);
        MoveWindow(button, moved.left, moved.top, moved.right - moved.left,
                   moved.bottom - moved.top, FALSE);
    }
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const LONG grownWidth = to.cx - from.cx, grownHeight = to.cy - from.cy;
    SetWindowPos(hwnd(), nullptr, window.left - grownWidth / 2, window.top - grownHeight / 2,
                 window.right - window.left + grownWidth, window.bottom - window.top + grownHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SplashDialog::OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message == WM_PAINT) {
        OnPaint();
        *result = 0;
        return true;
    }
    if (message == WM_LBUTTONDOWN) {
        // A press on the surface moves the window as a press on a caption would.
        SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return false;  // and the press goes on to the default processing
    }
    return false;
}

void SplashDialog::OnPaint() {
    fw::PaintDc paint(hwnd());
    fw::MemoryDc memory(CreateCompatibleDC(paint.get()));
    fw::Bitmap picture(LoadWelcomePicture());
    if (!memory || !picture)
        return;
    fw::Selection selected(memory.get(), picture.get());
    BITMAP record{};
    GetObjectW(picture.get(), sizeof(record), &record);
    BitBlt(paint.get(), 0, 0, record.bmWidth, record.bmHeight, memory.get(), 0, 0, SRCCOPY);
}
