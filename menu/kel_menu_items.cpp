// KelMenu: keeping the records in step with the live menu, label lookup and the answer to
// keyboard mnemonics.
#include <algorithm>
#include <utility>

#include "menu/kel_menu.h"
#include "menu/menu_platform.h"
#include "menu/mnemonic.h"

std::wstring KelMenu::MenuString(UINT position) const {
    // Ask for the length first: a label is never cut at a fixed buffer.
    const int length = GetMenuStringW(menu_, position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetMenuStringW(menu_, position, &text[0], length + 1, MF_BYPOSITION);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

KelMenuItem* KelMenu::FindItemByCommand(UINT_PTR command) {
    for (auto& item : items_) {
        if (!item->seen && item->commandId == command) {
            item->seen = true;
            return item.get();
        }
    }
    return nullptr;
}

// Every registration names the item by its position, whatever flags the record kept: a
// position read as a command id would change another item. The record takes the flags
// only when Windows took them; an owner-drawn item carries its record, any other its label.
bool KelMenu::RegisterAt(UINT position, KelMenuItem& item, UINT flags, UINT_PTR id) {
    flags |= MF_BYPOSITION;
    const wchar_t* content =
        (flags & MF_OWNERDRAW) ? reinterpret_cast<const wchar_t*>(&item) : item.label().c_str();
    if (!ModifyMenuW(menu_, position, flags, id, content))
        return false;
    item.menuFlags = flags;
    return true;
}

// A record for an item something else put in the menu, registered owner-drawn under
// `flags`; should Windows refuse, the record keeps the item's `state` as it stands.
std::unique_ptr<KelMenuItem> KelMenu::ReplaceItemAt(UINT position, UINT state, UINT flags,
                                                    UINT_PTR id, const std::wstring& text) {
    auto item = std::make_unique<KelMenuItem>();
    item->SetLabel(text);
    item->menuFlags = state;
    item->commandId = id;
    RegisterAt(position, *item, flags, id);
    return item;
}

KelMenuItem* KelMenu::AdoptItemAt(UINT position, std::vector<std::unique_ptr<KelMenuItem>>& made) {
    const UINT state = GetMenuState(menu_, position, MF_BYPOSITION);
    if (state & MF_POPUP) {
        const UINT flags = state & 0xFF;  // the high byte counts the popup's own items
        const auto handle = reinterpret_cast<UINT_PTR>(::GetSubMenu(menu_, position));
        const std::wstring text = MenuString(position);
        KelMenuItem* item = FindItemByCommand(handle);
        if (item == nullptr)
            made.push_back(ReplaceItemAt(position, flags, (flags & 0xEF) | 0x510, handle, text));
        else if (!text.empty())
            item->SetLabel(text);
        return item ? item : made.back().get();
    }
    if (state & MF_SEPARATOR) {
        KelMenuItem* item = FindItemByCommand(0);
        if (item == nullptr)
            made.push_back(ReplaceItemAt(position, state, state | 0xD00, 0, std::wstring()));
        else
            RegisterAt(position, *item, item->menuFlags, 0);
        return item ? item : made.back().get();
    }
    const UINT id = GetMenuItemID(menu_, static_cast<int>(position));
    const std::wstring text = MenuString(position);
    KelMenuItem* item = FindItemByCommand(id);
    if (item == nullptr) {
        made.push_back(ReplaceItemAt(position, state, state | 0x500, id, text));
        return made.back().get();
    }
    if (!text.empty())
        item->SetLabel(text);
    RegisterAt(position, *item, state | 0x500, id);
    return item;
}

namespace {
// Moves the owner of `item` out of whichever list holds it.
std::unique_ptr<KelMenuItem> TakeRecord(KelMenuItem* item,
                                        std::vector<std::unique_ptr<KelMenuItem>>& first,
                                        std::vector<std::unique_ptr<KelMenuItem>>& second) {
    for (auto* list : {&first, &second}) {
        for (auto& owned : *list) {
            if (owned.get() == item)
                return std::move(owned);
        }
    }
    return nullptr;
}
}  // namespace

void KelMenu::AdoptMenuItems() {
    for (auto& item : items_)
        item->seen = false;
    std::vector<std::unique_ptr<KelMenuItem>> made;
    std::vector<KelMenuItem*> order;
    const int count = GetMenuItemCount(menu_);  // -1 when the menu is gone
    order.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int position = 0; position < count; ++position)
        order.push_back(AdoptItemAt(static_cast<UINT>(position), made));
    std::vector<std::unique_ptr<KelMenuItem>> adopted;
    adopted.reserve(order.size());
    for (KelMenuItem* item : order)
        adopted.push_back(TakeRecord(item, items_, made));
    items_ = std::move(adopted);  // records never seen again go with the old list
}

int KelMenu::CountLeadingForeignItems() const {
    if (!loadedFromResource_)
        return 0;
    const int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count; ++position) {
        const std::wstring text = MenuString(static_cast<UINT>(position));
        if (text.empty())
            continue;
        for (int i = 0; i < ItemCount(); ++i) {
            if (items_[i]->label() == text)
                return position >= i ? position - i : 0;
        }
        // Text of no record: an item put in front; the loaded ones come after it.
    }
    return 0;
}

// Popup items of the top level stay text items that Windows draws.
void KelMenu::RefreshPopupLabels() {
    const int shift = CountLeadingForeignItems();
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; shift + i < count && i < ItemCount(); ++i) {
        const HMENU popup = ::GetSubMenu(menu_, shift + i);
        if (popup != nullptr)
            RegisterAt(static_cast<UINT>(shift + i), *items_[i], MF_POPUP,
                       reinterpret_cast<UINT_PTR>(popup));
    }
}

KelMenu* KelMenu::FindCommand(UINT command, int& position) {
    position = -1;
    const int count = menu_ ? GetMenuItemCount(menu_) : 0;
    for (int i = 0; i < count; ++i) {
        const HMENU popup = ::GetSubMenu(menu_, i);
        if (popup != nullptr) {
            KelMenu* sub = FromHandle(popup);
            KelMenu* found = sub ? sub->FindCommand(command, position) : nullptr;
            if (found)
                return found;
        } else if (GetMenuItemID(menu_, i) == command) {
            position = i;
            return this;
        }
    }
    position = -1;
    return nullptr;
}

bool KelMenu::GetItemLabel(UINT key, std::wstring& label, UINT flags) const {
    if (!(flags & MF_BYPOSITION)) {
        int position = -1;
        const KelMenu* holder = const_cast<KelMenu*>(this)->FindCommand(key, position);
        return holder && holder->GetItemLabel(static_cast<UINT>(position), label, MF_BYPOSITION);
    }
    if (key >= items_.size())
        return false;
    label = items_[key]->label();
    return true;
}

LRESULT KelMenu::MatchMnemonic(UINT character, UINT flags, HMENU popup) {
    KelMenu* menu = FromHandle(popup);
    if (menu == nullptr || !(flags & MF_POPUP))
        return 0;
    if (GetMenuItemCount(popup) != menu->ItemCount())
        menu->AdoptMenuItems();
    std::vector<std::u16string> labels;
    for (const auto& item : menu->items_)
        labels.emplace_back(item->label().begin(), item->label().end());
    const auto lower = [](std::u16string text) {
        return CurrentMenuPlatform().LowerCase(std::move(text));
    };
    return static_cast<LRESULT>(
        MnemonicAnswer(labels, static_cast<char16_t>(character & 0xFFFF), flags, lower));
}
