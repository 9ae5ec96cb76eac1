// Shared pieces of the menu tests: a chosen look, a canvas to paint items into, paint
// requests for the items of a live menu, and a parent window for picture buttons.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "menu/kel_menu.h"
#include "menu/menu_platform.h"

constexpr int kWindowsXp = 7;    // flat look unless the theme is classic
constexpr int kWindows2000 = 6;  // classic look with 3D edges
constexpr int kModernCode = 1;   // classic look without 3D edges

// Gives the menus this version code and theme answer while it lives.
class LookScope : public MenuPlatform {
public:
    LookScope(int versionCode, bool classicTheme);
    ~LookScope() override;
    int VersionCode() override { return versionCode_; }
    bool ClassicTheme() override { return classicTheme_; }

private:
    int versionCode_;
    bool classicTheme_;
    MenuPlatform* previous_;
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
    // Number of pixels of exactly `color` in `area` (the whole canvas when null); the box
    // that holds them.
    int Count(COLORREF color, RECT* box = nullptr, const RECT* area = nullptr) const;
    bool SameAs(const Canvas& other) const;
    // Writes the picture as a 24-bit BMP file.
    bool Save(const wchar_t* path) const;

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Paints item `position` of `popup` into the canvas at (0, 0) over `width` x `height`.
void DrawMenuItem(KelMenu& popup, int position, UINT itemState, Canvas& canvas, int width,
                  int height);
// What MeasureItem answers for item `position` of `popup`.
SIZE MeasureMenuItem(KelMenu& popup, int position);
ULONG_PTR ItemData(HMENU menu, int position);
// Width of a text in the system's menu font.
int MenuTextWidth(const std::wstring& text);

// A visible topmost popup window at (100, 100), 300 x 200, that reflects its children's
// notifications to their objects and records the last WM_COMMAND it was sent or posted.
class MenuTestParent {
public:
    MenuTestParent();
    ~MenuTestParent();
    MenuTestParent(const MenuTestParent&) = delete;
    MenuTestParent& operator=(const MenuTestParent&) = delete;
    HWND hwnd() const { return hwnd_; }
    HWND AddButton(int id, int x, int y, int width, int height);
    static WPARAM lastCommand;

private:
    HWND hwnd_ = nullptr;
};
