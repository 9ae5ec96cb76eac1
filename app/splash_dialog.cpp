#include "app/splash_dialog.h"

#include "app/welcome_layout.h"
#include "controls/bitmap_region.h"
#include "framework/gdi.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {

// The pictures of each scale of kPictureScales, in that order.
struct Pictures {
    int background;
    int enter;
};
const Pictures kPictures[kPictureScaleCount] = {
    {IDB_WELCOME, IDB_ENTER},
    {IDB_WELCOME_150, IDB_ENTER_150},
    {IDB_WELCOME_200, IDB_ENTER_200},
};
static_assert(sizeof(kPictures) / sizeof(kPictures[0]) == kPictureScaleCount,
              "a picture for every scale");
// The close glyph's size at 100 %; its icon holds an image for every scale.
constexpr SIZE kCloseGlyph{21, 14};

// The names screen readers read for the two buttons, whose pictures carry no text of theirs.
const wchar_t kEnterName[] = L"Enter";
const wchar_t kCloseName[] = L"Close";

HBITMAP LoadPicture(int id) {
    return LoadBitmapW(fw::ResourceModule(), MAKEINTRESOURCEW(id));
}

// The close glyph's image of `percent`.
HICON LoadCloseGlyph(int percent) {
    return static_cast<HICON>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(IDI_CLOSE),
                                         IMAGE_ICON, MulDiv(kCloseGlyph.cx, percent, 100),
                                         MulDiv(kCloseGlyph.cy, percent, 100), LR_DEFAULTCOLOR));
}

SIZE SizeOf(HBITMAP bitmap) {
    BITMAP record{};
    GetObjectW(bitmap, sizeof(record), &record);
    return {record.bmWidth, record.bmHeight};
}

}  // namespace

SplashDialog::SplashDialog(HWND parent) : fw::Dialog(IDD_SPLASH, parent) {}

void SplashDialog::DoDataExchange() {
    closeButton.SubclassDlgItem(IDCANCEL, hwnd());
    enterButton.SubclassDlgItem(IDOK, hwnd());
}

BOOL SplashDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    enterButton.SetAccessibleName(kEnterName);
    closeButton.SetAccessibleName(kCloseName);
    // The focus shows, also on these flat buttons: Tab moves it, Return and Space press.
    enterButton.SetFlatFocus(true);
    closeButton.SetFlatFocus(true);
    enterButton.ShiftColor(ActiveFace, 30, false);
    ShowPictures(fw::DpiOf(hwnd()));
    return TRUE;
}

void SplashDialog::OnDpiChanged(UINT dpi) {
    ShowPictures(dpi);
}

void SplashDialog::ShowPictures(UINT dpi) {
    scale_ = NearestPictureScale(dpi);
    const Pictures& pictures = kPictures[scale_];
    enterButton.SetDpi(dpi);
    closeButton.SetDpi(dpi);
    enterButton.SetBitmaps(pictures.enter, RGB(255, 255, 255), 0, 0);
    enterButton.UseParentBackground(true);
    closeButton.SetIcons(LoadCloseGlyph(kPictureScales[scale_]), nullptr);
    closeButton.UseParentBackground(true);

    fw::Bitmap picture(LoadPicture(pictures.background));
    if (!picture)
        return;
    FitToPicture(SizeOf(picture.get()));
    // Only pure black is cut away; the system owns the region once it is set.
    fw::Region outline(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
    if (outline && SetWindowRgn(hwnd(), outline.get(), TRUE))
        outline.HandToSystem();
}

// The window takes its picture's size around its centre, whatever its dialog units made it,
// and its buttons move and stretch with it, so that they stay where the picture has them;
// each stays at least as large as its own picture.
void SplashDialog::FitToPicture(SIZE picture) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const Extent from{client.right, client.bottom};
    if (from.width <= 0 || from.height <= 0)
        return;
    const Extent to{picture.cx, picture.cy};
    for (PictureButton* button : {static_cast<PictureButton*>(&enterButton), &closeButton}) {
        RECT rect{};
        if (button->hwnd() == nullptr || !GetWindowRect(button->hwnd(), &rect))
            continue;
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        const SIZE image = button->ImageSize();
        const Place placed = PlaceOnPicture({rect.left, rect.top, rect.right, rect.bottom}, from,
                                            to, {image.cx, image.cy});
        MoveWindow(button->hwnd(), placed.left, placed.top, placed.right - placed.left,
                   placed.bottom - placed.top, FALSE);
    }
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const LONG grownWidth = to.width - from.width;
    const LONG grownHeight = to.height - from.height;
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
    fw::Bitmap picture(LoadPicture(kPictures[scale_].background));
    if (!memory || !picture)
        return;
    fw::Selection selected(memory.get(), picture.get());
    const SIZE size = SizeOf(picture.get());
    BitBlt(paint.get(), 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}
