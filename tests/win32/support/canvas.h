// A picture to check by pixels, test images, and a parent window for controls under test.
#pragma once

#include <windows.h>

#include <cstdint>

// A top-down 32-bit picture with its own memory context.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;
    // Number of pixels of exactly `color` in `area` (the whole canvas when null); the box
    // that holds them (inclusive; empty when none).
    int Count(COLORREF color, RECT* box = nullptr, const RECT* area = nullptr) const;
    // Writes the picture as a PNG file.
    void SavePng(const wchar_t* path) const;

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::uint32_t* bits_ = nullptr;
};

// A screen-compatible bitmap of one colour, with `first` and `second` (when given) at (0, 0)
// and (1, 0). The caller owns it.
HBITMAP MakeTestBitmap(int width, int height, COLORREF color, COLORREF first = CLR_INVALID,
                       COLORREF second = CLR_INVALID);
// A square icon of one colour with a pure black pixel at (0, 0). The caller owns it.
HICON MakeTestIcon(int size, COLORREF color);

constexpr COLORREF kParentColor = RGB(10, 120, 30);

// A visible topmost popup painted in kParentColor that reflects its children's notifications,
// counts BN_CLICKED and records the last WM_COMMAND.
class TestParent {
public:
    TestParent();
    ~TestParent() { DestroyWindow(hwnd_); }
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND AddButton(int id, DWORD style, int x, int y, int width, int height,
                   const wchar_t* text = L"");
    static inline int clicks = 0;
    static inline WPARAM lastCommand = 0;

private:
    HWND hwnd_;
};
