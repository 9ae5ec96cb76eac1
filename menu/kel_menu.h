// The owner-drawn menu class, reduced for now to what a picture button needs of its
// drop-down menu: an object that may hold a menu handle, its first popup, tracking, and the
// class-wide list of popups that the menu draws itself.
#pragma once

#include <windows.h>

class KelMenu {
public:
    KelMenu() = default;
    virtual ~KelMenu();
    KelMenu(const KelMenu&) = delete;
    KelMenu& operator=(const KelMenu&) = delete;

    HMENU menu() const { return menu_; }
    // Takes ownership of a menu built elsewhere.
    void Attach(HMENU menu);
    virtual BOOL DestroyMenu();

    // The first-level popup at `position`, or null.
    HMENU GetSubMenu(int position) const;
    // Shows `popup` and returns what TrackPopupMenu answers (the command with TPM_RETURNCMD).
    static int TrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner);

    static bool IsRegisteredPopup(const KelMenu* menu);
    static bool IsRegisteredPopup(HMENU popup);
    // Answer to WM_MENUCHAR for a registered popup.
    static LRESULT MatchMnemonic(UINT character, UINT flags, HMENU popup);
    virtual void MeasureItem(MEASUREITEMSTRUCT* item);

private:
    HMENU menu_ = nullptr;
};
