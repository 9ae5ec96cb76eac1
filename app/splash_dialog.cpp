#include "app/splash_dialog.h"

#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {
HBITMAP LoadWelcomePicture() {
    return LoadBitmapW(fw::ResourceModule(), MAKEINTRESOURCEW(IDB_WELCOME));
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
