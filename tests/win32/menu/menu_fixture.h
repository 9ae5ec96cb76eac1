// Shared pieces of the menu tests: a chosen look and paint requests for the items of a
// live menu.
#pragma once

#include <windows.h>

#include <string>

#include "canvas.h"
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

// Paints item `position` of `popup` into the canvas at (0, 0) over `width` x `height`.
void DrawMenuItem(KelMenu& popup, int position, UINT itemState, Canvas& canvas, int width,
                  int height);
// What MeasureItem answers for item `position` of `popup`.
SIZE MeasureMenuItem(KelMenu& popup, int position);
ULONG_PTR ItemData(HMENU menu, int position);
// Width of a text in the system's menu font.
int MenuTextWidth(const std::wstring& text);
