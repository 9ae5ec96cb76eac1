// The welcome window: a borderless window cut to its picture, dragged by its surface, with
// an Enter button (IDOK) and a small close button (IDCANCEL).
#pragma once

#include <windows.h>

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

private:
    void FitToPicture(SIZE picture);
    void OnPaint();
};
