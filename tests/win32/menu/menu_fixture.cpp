#include "menu_fixture.h"

#include "framework/gdi.h"
#include "menu/menu_paint.h"

LookScope::LookScope(int versionCode, bool classicTheme)
    : versionCode_(versionCode), classicTheme_(classicTheme), previous_(SetMenuPlatform(this)) {}

LookScope::~LookScope() {
    SetMenuPlatform(previous_);
}

ULONG_PTR ItemData(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

void DrawMenuItem(KelMenu& popup, int position, UINT itemState, Canvas& canvas, int width,
                  int height) {
    DRAWITEMSTRUCT request{};
    request.CtlType = ODT_MENU;
    request.itemID = GetMenuItemID(popup.menu(), position);
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = itemState;
    request.hwndItem = reinterpret_cast<HWND>(popup.menu());
    request.hDC = canvas.dc();
    request.rcItem = {0, 0, width, height};
    request.itemData = ItemData(popup.menu(), position);
    popup.DrawItem(request);
    GdiFlush();
}

SIZE MeasureMenuItem(KelMenu& popup, int position) {
    MEASUREITEMSTRUCT request{};
    request.CtlType = ODT_MENU;
    request.itemID = GetMenuItemID(popup.menu(), position);
    request.itemData = ItemData(popup.menu(), position);
    popup.MeasureItem(&request);
    return {static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
}

int MenuTextWidth(const std::wstring& text) {
    fw::ClientDc dc(GetDesktopWindow());
    fw::Font font = CreateMenuFont();
    fw::Selection selection(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
