#include "menu/kel_menu.h"

#include <algorithm>
#include <vector>

namespace {
// Popups whose items this class measures and draws. Nothing registers one yet.
std::vector<HMENU>& RegisteredPopups() {
    static std::vector<HMENU> popups;
    return popups;
}
}  // namespace

KelMenu::~KelMenu() {
    DestroyMenu();
}

void KelMenu::Attach(HMENU menu) {
    DestroyMenu();
    menu_ = menu;
}

BOOL KelMenu::DestroyMenu() {
    if (menu_ == nullptr)
        return FALSE;
    const BOOL destroyed = ::DestroyMenu(menu_);
    menu_ = nullptr;
    return destroyed;
}

HMENU KelMenu::GetSubMenu(int position) const {
    return menu_ ? ::GetSubMenu(menu_, position) : nullptr;
}

int KelMenu::TrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return popup ? static_cast<int>(::TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr)) : 0;
}

bool KelMenu::IsRegisteredPopup(const KelMenu* menu) {
    return menu != nullptr && IsRegisteredPopup(menu->menu());
}

bool KelMenu::IsRegisteredPopup(HMENU popup) {
    const auto& popups = RegisteredPopups();
    return popup != nullptr && std::find(popups.begin(), popups.end(), popup) != popups.end();
}

LRESULT KelMenu::MatchMnemonic(UINT, UINT, HMENU) {
    return MAKELRESULT(0, MNC_IGNORE);
}

void KelMenu::MeasureItem(MEASUREITEMSTRUCT*) {}
