// One item of a KelMenu: what it shows and how it is registered with Windows. The address
// of the record is the item data of the owner-drawn item.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <utility>

struct KelMenuItem {
    KelMenuItem() = default;
    KelMenuItem(const KelMenuItem&) = delete;  // `accessible` points into the record itself
    KelMenuItem& operator=(const KelMenuItem&) = delete;

    // First, so that it starts the item data: screen readers read an owner-drawn item's text
    // there, as they cannot see what is painted.
    MSAAMENUINFO accessible{static_cast<DWORD>(MSAA_MENU_SIG), 0, nullptr};

    // Text as shown; the text after the last tab is the shortcut.
    const std::wstring& label() const { return label_; }
    void SetLabel(std::wstring text) {
        label_ = std::move(text);
        accessible.cchWText = static_cast<DWORD>(label_.size());
        accessible.pszWText = &label_[0];
    }

    // The MF_ flags under which the item is registered.
    UINT menuFlags = 0;
    // Command id; the popup's menu handle for a popup item; 0 for a separator.
    UINT_PTR commandId = 0;
    // Index into the shared image list, or -1.
    int imageIndex = -1;
    // Mark used while the records are matched to the live menu.
    bool seen = false;

private:
    std::wstring label_;
};
