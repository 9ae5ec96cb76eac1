#include "app/splash_dialog.h"

#include "app/welcome_layout.h"
#include "framework/gdi.h"
#include "res/resource.h"

namespace {

// The template's font on Windows at 96 DPI has base units of 8 x 16 pixels: a dialog unit is
// 2 x 2 pixels of the 100 % picture.
constexpr Extent kTemplateUnits{8, 16};
// The buttons in the order of SplashDialog::buttonPlaces_.
const int kButtonIds[2] = {IDOK, IDCANCEL};

// The names screen readers read for the two buttons, whose pictures carry no text of theirs.
const wchar_t kEnterName[] = L"Enter";
const wchar_t kCloseName[] = L"Close";

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
    WelcomePictures pictures = MakeWelcomePictures(dpi);
    enterButton.SetDpi(dpi);
    closeButton.SetDpi(dpi);
    enterButton.SetBitmaps(pictures.enter.release(), RGB(255, 255, 255), nullptr, 0);
    enterButton.UseParentBackground(true);
    closeButton.SetIcons(pictures.close.release(), nullptr, pictures.closeSize);
    closeButton.UseParentBackground(true);

    picture_ = std::move(pictures.background);
    if (!picture_)
        return;
    FitToPicture(SizeOf(picture_.get()), static_cast<long>(dpi));
    // The system owns a region once it is set; a picture with nothing to cut away takes back
    // one that an earlier picture had.
    if (pictures.outline && SetWindowRgn(hwnd(), pictures.outline.get(), TRUE)) {
        pictures.outline.HandToSystem();
        cut_ = true;
    } else if (cut_ && SetWindowRgn(hwnd(), nullptr, TRUE)) {
        cut_ = false;
    }
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
void SplashDialog::FitToPicture(SIZE picture, long dpi) {
    PictureButton* const buttons[2] = {&enterButton, &closeButton};
    for (std::size_t i = 0; i < 2; ++i) {
        const SIZE image = buttons[i]->ImageSize();
        const Place placed =
            PlaceOnPicture(buttonPlaces_[i], {96, 96}, {dpi, dpi}, {image.cx, image.cy});
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
    if (message == WM_ERASEBKGND && PictureCoversWindow()) {
        // Filling the surface with the dialog's colour first would be work thrown away, and a
        // grey flash before the picture.
        *result = TRUE;
        return true;
    }
    if (message == WM_LBUTTONDOWN) {
        // A press on the surface moves the window as a press on a caption would.
        SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return false;  // and the press goes on to the default processing
    }
    return false;
}

// False while the window has grown for a new DPI before its picture has been drawn for it.
bool SplashDialog::PictureCoversWindow() const {
    if (!picture_)
        return false;
    RECT client{};
    GetClientRect(hwnd(), &client);
    const SIZE size = SizeOf(picture_.get());
    return size.cx >= client.right && size.cy >= client.bottom;
}

void SplashDialog::OnPaint() {
    fw::PaintDc paint(hwnd());
    fw::MemoryDc memory(CreateCompatibleDC(paint.get()));
    if (!memory || !picture_)
        return;
    fw::Selection selected(memory.get(), picture_.get());
    const SIZE size = SizeOf(picture_.get());
    BitBlt(paint.get(), 0, 0, size.cx, size.cy, memory.get(), 0, 0, SRCCOPY);
}
