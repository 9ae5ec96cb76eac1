// One item of a KelMenu: what it shows and how it is registered with Windows. The address
// of the record is the item data of the owner-drawn item.
#pragma once

#include <windows.h>

#include <string>

struct KelMenuItem {
    // Text as shown; the text after the last tab is the shortcut.
    std::wstring label;
    // The MF_ flags under which the item is registered.
    UINT menuFlags = 0;
    // Command id; the popup's menu handle for a popup item; 0 for a separator.
    UINT_PTR commandId = 0;
    // Index into the shared image list, or -1.
    int imageIndex = -1;
    // Mark used while the records are matched to the live menu.
    bool seen = false;
};
