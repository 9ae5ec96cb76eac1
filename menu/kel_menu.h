// The owner-drawn menu class.
//
// A KelMenu owns a menu handle and one record per item (KelMenuItem), and registers its
// items as owner-drawn so that it measures and paints them itself, with an image column at
// the left, in a classic 3D look or a flat look (chosen from the Windows version and theme,
// menu/menu_look.h). It builds menus from menu resources, keeps the records in step with
// the live menu, answers keyboard mnemonics and carries images from bitmap and toolbar
// resources in one image list shared by all menus.
//
// Windows sends the owner-draw messages of a menu to the window that tracks it; that
// window hands them to RouteMeasureItem / RouteDrawItem, which find the menu object through
// the item data. Entry i of the records describes the item at position i.
//
// Its sizes (the image cell of 16 x 15 among them) are 96-DPI sizes, scaled to the DPI of the
// reference window when items are measured and drawn; the shared images are kept as drawn, for
// 96 DPI, and drawn scaled. Under high contrast it takes the classic look in the system's
// colours.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "menu/kel_menu_item.h"

class KelMenu {
public:
    KelMenu();
    virtual ~KelMenu();
    KelMenu(const KelMenu&) = delete;
    KelMenu& operator=(const KelMenu&) = delete;

    HMENU menu() const { return menu_; }
    // The window whose device context measures the menu's text (the desktop's until one is
    // set, or once it is gone); the popups LoadMenu makes for this menu use it too.
    void SetReferenceWindow(HWND window);
    // Takes ownership of a menu built elsewhere; its items are adopted on the next
    // mnemonic.
    void Attach(HMENU menu);

    virtual void DrawItem(const DRAWITEMSTRUCT& request);
    virtual void MeasureItem(MEASUREITEMSTRUCT* request);
    // Builds a menu bar from a menu resource: its popups, at every level, are owner-drawn
    // KelMenu objects owned by this one. FALSE, with the previous menu untouched, when the
    // resource is missing or malformed or the system refuses a menu or an item.
    virtual BOOL LoadMenu(UINT resourceId);
    virtual BOOL LoadMenu(const wchar_t* resourceName);
    // Destroys the menu, the popup objects made for it and every record.
    virtual BOOL DestroyMenu();

    // Appends an owner-drawn item. `id` is the command id, the popup's handle with MF_POPUP,
    // or 0 for a separator. `imageResource` names a bitmap strip and the toolbar resource
    // of the same id that places the command's picture in it; -1 takes the image shared
    // earlier for the command, if any. FALSE when Windows refuses the item: then no record is
    // kept, no popup registered and no image shared.
    BOOL AppendItem(const wchar_t* label, UINT flags, UINT_PTR id, int imageResource = -1);
    // The label of an item by position (MF_BYPOSITION) or by command id (searched through
    // the popups).
    bool GetItemLabel(UINT key, std::wstring& label, UINT flags) const;
    // The menu, this one or one of its popups, whose item `command` is; null when none.
    KelMenu* FindCommand(UINT command, int& position);
    HMENU GetSubMenu(int position) const;
    int ItemCount() const { return static_cast<int>(items_.size()); }
    int ImageIndex(int position) const;

    // Shows `popup` and returns what TrackPopupMenu answers (the command with TPM_RETURNCMD).
    static int TrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner);
    // The KelMenu that owns `menu`, or null.
    static KelMenu* FromHandle(HMENU menu);
    static bool IsRegisteredPopup(const KelMenu* menu);
    static bool IsRegisteredPopup(HMENU popup);
    // The answer to WM_MENUCHAR for a popup of this class.
    static LRESULT MatchMnemonic(UINT character, UINT flags, HMENU popup);
    // Owner-draw messages for menu items: true when the item is one of a KelMenu's.
    static bool RouteMeasureItem(MEASUREITEMSTRUCT* request);
    static bool RouteDrawItem(const DRAWITEMSTRUCT& request);

    static bool IsThemedXp();
    static bool UsesFlatStyle();
    static int WindowsVersion();

    // The image list shared by all menus and the command id of each of its entries.
    static HIMAGELIST SharedImages();
    static const std::vector<int>& SharedImageIds();

protected:
    int imageWidth = 16;  // at 96 DPI
    int imageHeight = 15;

private:
    HWND ReferenceWindow() const;
    // The DPI of the reference window, and the image cell at a DPI.
    UINT Dpi() const;
    SIZE ImageCell(UINT dpi) const;
    // Building (kel_menu.cpp)
    BOOL BuildFromTemplate(const void* data, DWORD size);
    void AlignShortcutColumn();
    bool ShowTopLevelAsText();
    void DetachOwnedPopups();
    bool RegisterAt(UINT position, KelMenuItem& item, UINT flags, UINT_PTR id);
    // Keeping records in step (kel_menu_items.cpp)
    void AdoptMenuItems();
    KelMenuItem* FindItemByCommand(UINT_PTR command);
    std::unique_ptr<KelMenuItem> ReplaceItemAt(UINT position, UINT state, UINT flags, UINT_PTR id,
                                               const std::wstring& text);
    KelMenuItem* AdoptItemAt(UINT position, std::vector<std::unique_ptr<KelMenuItem>>& made);
    int CountLeadingForeignItems() const;
    void RefreshPopupLabels();
    std::wstring MenuString(UINT position) const;
    static const KelMenuItem* FindRecord(ULONG_PTR itemData, KelMenu** owner = nullptr);
    // Drawing (kel_menu_draw.cpp)
    void DrawItemClassic(const DRAWITEMSTRUCT& request, const KelMenuItem& item);
    void DrawItemFlat(const DRAWITEMSTRUCT& request, const KelMenuItem& item);
    // Images (kel_menu_images.cpp)
    int LoadImage(UINT_PTR command, int imageResource);
    bool AddBitmapResource(HIMAGELIST list, int resource);
    int ShareImage(HIMAGELIST list, int position, int command);

    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<KelMenuItem>> items_;
    // Handles of the popups appended to this menu.
    std::vector<HMENU> popups_;
    // The popup objects LoadMenu made for this menu.
    std::vector<std::unique_ptr<KelMenu>> ownedPopups_;
    bool loadedFromResource_ = false;
    HWND referenceWindow_ = nullptr;
};
