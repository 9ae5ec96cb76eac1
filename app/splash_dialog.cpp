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

// The template's font on Windows at 96 DPI has base units of 8 x 16 pixels: a dialog unit is
// 2 x 2 pixels of the 100 % picture.
constexpr Extent kTemplateUnits{8, 16};
// The buttons in the order of SplashDialog::buttonPlaces_.
const int kButtonIds[2] = {IDOK, IDCANCEL};

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
    RememberButtonPlaces();
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
    // The window first, then its buttons, which copy what it shows under them.
    RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
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
    FitToPicture(SizeOf(picture.get()), kPictureScales[scale_]);
    // Only pure black is cut away; the system owns the region once it is set.
    fw::Region outline(BuildBitmapRegion(picture.get(), RGB(0, 0, 0), 0));
    if (outline && SetWindowRgn(hwnd(), outline.get(), TRUE))
        outline.HandToSystem();
}

// Where the picture has the buttons: their template places in dialog units, at the 8 x 16
// base units of the template's font on Windows at 96 DPI, for which the picture was drawn.
// Laid out in the dialog units of whatever font stands in for it, they could lie elsewhere.
void SplashDialog::RememberButtonPlaces() {
    RECT units{0, 0, 4, 8};
    MapDialogRect(hwnd(), &units);
    const Extent from{units.right, units.bottom};
    for (std::size_t i = 0; i < 2; ++i) {
        RECT rect{};
        GetWindowRect(Item(kButtonIds[i]), &rect);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        if (from.width > 0 && from.height > 0)
            buttonPlaces_[i] = PlaceOnPicture({rect.left, rect.top, rect.right, rect.bottom}, from,
                                              kTemplateUnits, {0, 0});
    }
}

// The window takes its picture's size around its centre, whatever its dialog units made it,
// and its buttons go where the picture has them at its scale, each at least as large as its
// own picture.
void SplashDialog::FitToPicture(SIZE picture, int percent) {
    PictureButton* const buttons[2] = {&enterButton, &closeButton};
    for (std::size_t i = 0; i < 2; ++i) {
        const SIZE image = buttons[i]->ImageSize();
        const Place placed =
            PlaceOnPicture(buttonPlaces_[i], {100, 100}, {percent, percent}, {image.cx, image.cy});
        MoveWindow(buttons[i]->hwnd(), placed.left, placed.top, placed.right - placed.left,
                   placed.bottom - placed.top, FALSE);
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const LONG grownWidth = picture.cx - client.right;
    const LONG grownHeight = picture.cy - client.bottom;
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
