// The welcome window: a borderless window cut to its picture, dragged by its surface, with
// an Enter button (IDOK) and a small close button (IDCANCEL).
//
// Its picture is drawn at several scales; it shows the one nearest to its display's scaling,
// takes that picture's size, and puts its buttons, with pictures of the same scale, where
// the picture has them. A change of display scaling picks the pictures again.
#pragma once

#include <windows.h>

#include <cstddef>

#include "app/welcome_layout.h"
#include "controls/box_hover_button.h"
#include "controls/picture_button.h"
#include "framework/dialog.h"

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
    // Shows the pictures of the scale nearest to `dpi`: background, outline, buttons.
    void ShowPictures(UINT dpi);
    void RememberButtonPlaces();
    void FitToPicture(SIZE picture, int percent);
    void OnPaint();

    std::size_t scale_ = 0;    // index of the scale of the pictures shown
    Place buttonPlaces_[2]{};  // Enter and close on the 100 % picture
};
