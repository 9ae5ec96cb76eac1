// The welcome window: a borderless window cut to its picture, dragged by its surface, with
// an Enter button (IDOK) and a small close button (IDCANCEL).
//
// Its picture is drawn for its display's DPI (app/welcome_picture.h), at exactly the window's
// scale; the window takes the picture's size and puts its buttons, with faces drawn for the
// same DPI, where the picture has them. A change of display scaling draws them again.
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/welcome_layout.h"
#include "app/welcome_pictures.h"
#include "controls/box_hover_button.h"
#include "controls/picture_button.h"
#include "framework/dialog.h"
#include "framework/gdi.h"

class SplashDialog : public fw::Dialog {
public:
    explicit SplashDialog(HWND parent = nullptr);
    ~SplashDialog() override = default;

    PictureButton closeButton;
    BoxHoverButton enterButton;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDpiChanged(UINT dpi) override;

private:
    // Shows the pictures drawn for `dpi`: background, outline, buttons.
    void ShowPictures(UINT dpi);
    void RememberButtonPlaces();
    void FitToPicture(SIZE picture, long dpi);
    void OnPaint();
    bool PictureCoversWindow() const;

    fw::Bitmap picture_;       // the background shown, drawn for the window's DPI
    bool cut_ = false;         // whether the window has a region of its picture's
    Place buttonPlaces_[2]{};  // Enter and close on the picture at 96 DPI
};
