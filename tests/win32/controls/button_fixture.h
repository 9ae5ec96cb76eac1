// A test parent window for picture buttons, a canvas to paint them into, and test images.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/box_hover_button.h"
#include "controls/picture_button.h"

// Opens the button's state to the tests.
template <typename Base>
class Probe : public Base {
public:
    using Base::bitmaps;
    using Base::checkBoxMode;
    using Base::colors;
    using Base::flat;
    using Base::hovering;
    using Base::icons;
    using Base::isDefault;
    using Base::transparentBackground;
};
using ProbeButton = Probe<PictureButton>;
using ProbeBoxButton = Probe<BoxHoverButton>;

constexpr COLORREF kParentColor = RGB(10, 120, 30);

// A topmost popup at (100, 100), 300 x 200, painted in kParentColor, that reflects its
// children's notifications to their objects and counts BN_CLICKED.
class TestParent {
public:
    TestParent();
    ~TestParent();
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND hwnd() const { return hwnd_; }
    // A child button at (x, y) of the given size and style (WS_CHILD | WS_VISIBLE added).
    HWND AddButton(int id, DWORD style, int x, int y, int width, int height,
                   const wchar_t* text = L"");
    static int clicks;

private:
    HWND hwnd_ = nullptr;
};

// A top-down 32-bit picture with its own memory context.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }
    // Number of pixels of exactly `color`; the box that holds them (empty when none).
    int Count(COLORREF color, RECT* box = nullptr) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Paints `button` into a canvas of its size with the given item state bits.
void Render(PictureButton& button, Canvas& canvas, UINT itemState);

// A square icon of one colour with a pure black pixel at (0, 0). The caller owns it.
HICON MakeTestIcon(int size, COLORREF color);
// A screen-compatible bitmap of one colour; `first` and `second`, when not 0, at (0, 0) and (1, 0).
HBITMAP MakeTestBitmap(int width, int height, COLORREF color, COLORREF first = 0,
                       COLORREF second = 0);
