// KelMenu: the class-wide lists, building menus from items and from menu resources, and
// the routing of owner-draw messages to the menu that owns the item.
#include "menu/kel_menu.h"

#include <algorithm>
#include <utility>

#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/resources.h"
#include "menu/menu_look.h"
#include "menu/menu_paint.h"
#include "menu/menu_platform.h"
#include "menu/menu_template.h"
#include "menu/shortcut_column.h"

namespace {

// Every KelMenu alive, so that handles and item data can be checked before use.
std::vector<KelMenu*>& LiveMenus() {
    static std::vector<KelMenu*> menus;
    return menus;
}

// Handles of every popup any KelMenu appended as a popup item; may repeat.
std::vector<HMENU>& AllPopups() {
    static std::vector<HMENU> popups;
    return popups;
}

void Forget(std::vector<HMENU>& handles, HMENU handle) {
    handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
}

// Measures in the system's menu font on the reference window's device context.
class MenuFontMeasure : public TextMeasure {
public:
    explicit MenuFontMeasure(HWND window)
        : window_(window),
          font_(fw::MenuFont(fw::DpiOf(window))),
          selection_(dc_.get(), font_.get()) {}
    int Width(const std::u16string& text) const override {
        SIZE size{};
        GetTextExtentPoint32W(dc_.get(), reinterpret_cast<const wchar_t*>(text.c_str()),
                              static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HWND window_;
    fw::ClientDc dc_{window_};
    fw::Font font_;
    fw::Selection selection_;
};

}  // namespace

KelMenu::KelMenu() {
    LiveMenus().push_back(this);
}

KelMenu::~KelMenu() {
    DestroyMenu();
    auto& live = LiveMenus();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void KelMenu::SetReferenceWindow(HWND window) {
    referenceWindow_ = window;
    for (const auto& popup : ownedPopups_)
        popup->SetReferenceWindow(window);
}

HWND KelMenu::ReferenceWindow() const {
    return referenceWindow_ != nullptr && IsWindow(referenceWindow_) ? referenceWindow_
                                                                     : GetDesktopWindow();
}

void KelMenu::Attach(HMENU menu) {
    DestroyMenu();
    menu_ = menu;
}

BOOL KelMenu::DestroyMenu() {
    Forget(AllPopups(), menu_);
    for (auto popup = popups_.rbegin(); popup != popups_.rend(); ++popup)
        Forget(AllPopups(), *popup);
    DetachOwnedPopups();
    while (!ownedPopups_.empty())
        ownedPopups_.pop_back();  // each destroys its own menu and records
    popups_.clear();
    items_.clear();
    if (menu_ == nullptr)
        return FALSE;
    const BOOL destroyed = ::DestroyMenu(menu_);
    menu_ = nullptr;
    return destroyed;
}

// Each popup object destroys its own menu. Destroying a menu destroys the popups it still
// holds, so the owned ones are taken out of it first: every menu is destroyed once, and no
// handle is used after its menu is gone.
void KelMenu::DetachOwnedPopups() {
    if (menu_ == nullptr)
        return;
    for (int position = GetMenuItemCount(menu_) - 1; position >= 0; --position) {
        const HMENU popup = ::GetSubMenu(menu_, position);
        const bool owned =
            popup != nullptr && std::any_of(ownedPopups_.begin(), ownedPopups_.end(),
                                            [popup](const std::unique_ptr<KelMenu>& own) {
                                                return own->menu_ == popup;
                                            });
        if (owned)
            RemoveMenu(menu_, static_cast<UINT>(position), MF_BYPOSITION);
    }
}

HMENU KelMenu::GetSubMenu(int position) const {
    return menu_ ? ::GetSubMenu(menu_, position) : nullptr;
}

int KelMenu::ImageIndex(int position) const {
    return position >= 0 && position < ItemCount() ? items_[position]->imageIndex : -1;
}

int KelMenu::TrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return popup ? static_cast<int>(::TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr)) : 0;
}

KelMenu* KelMenu::FromHandle(HMENU menu) {
    if (menu == nullptr)
        return nullptr;
    for (KelMenu* live : LiveMenus()) {
        if (live->menu_ == menu)
            return live;
    }
    return nullptr;
}

bool KelMenu::IsRegisteredPopup(const KelMenu* menu) {
    return menu != nullptr && IsRegisteredPopup(menu->menu());
}

bool KelMenu::IsRegisteredPopup(HMENU popup) {
    const auto& popups = AllPopups();
    return popup != nullptr && std::find(popups.begin(), popups.end(), popup) != popups.end();
}

const KelMenuItem* KelMenu::FindRecord(ULONG_PTR itemData, KelMenu** owner) {
    for (KelMenu* live : LiveMenus()) {
        for (const auto& item : live->items_) {
            if (reinterpret_cast<ULONG_PTR>(item.get()) != itemData)
                continue;
            if (owner)
                *owner = live;
            return item.get();
        }
    }
    return nullptr;
}

bool KelMenu::RouteMeasureItem(MEASUREITEMSTRUCT* request) {
    KelMenu* owner = nullptr;
    if (request == nullptr || request->CtlType != ODT_MENU ||
        FindRecord(request->itemData, &owner) == nullptr)
        return false;
    owner->MeasureItem(request);
    return true;
}

bool KelMenu::RouteDrawItem(const DRAWITEMSTRUCT& request) {
    KelMenu* owner = nullptr;
    if (request.CtlType != ODT_MENU || FindRecord(request.itemData, &owner) == nullptr)
        return false;
    owner->DrawItem(request);
    return true;
}

int KelMenu::WindowsVersion() {
    return CurrentMenuPlatform().VersionCode();
}

bool KelMenu::IsThemedXp() {
    return ::IsThemedXp(WindowsVersion(), CurrentMenuPlatform().ClassicTheme());
}

// Under high contrast the classic look, in the system's colours.
bool KelMenu::UsesFlatStyle() {
    return !fw::HighContrast() &&
           ::UsesFlatStyle(WindowsVersion(), CurrentMenuPlatform().ClassicTheme());
}

BOOL KelMenu::AppendItem(const wchar_t* label, UINT flags, UINT_PTR id, int imageResource) {
    if (id == 0)
        flags = MF_SEPARATOR | MF_OWNERDRAW | (flags & MF_BYPOSITION);
    else
        flags |= MF_OWNERDRAW;
    auto item = std::make_unique<KelMenuItem>();
    item->SetLabel(label ? label : L"");
    item->commandId = id;
    item->menuFlags = flags;
    // Room first, so that nothing fails once Windows holds the item and its record.
    const bool popup = (flags & MF_POPUP) != 0;
    items_.reserve(items_.size() + 1);
    if (popup) {
        popups_.reserve(popups_.size() + 1);
        AllPopups().reserve(AllPopups().size() + 1);
    }
    if (!AppendMenuW(menu_, flags, id, reinterpret_cast<const wchar_t*>(item.get())))
        return FALSE;
    item->imageIndex = LoadImage(id, imageResource);
    if (popup) {
        AllPopups().push_back(reinterpret_cast<HMENU>(id));
        popups_.push_back(reinterpret_cast<HMENU>(id));
    }
    items_.push_back(std::move(item));
    if (loadedFromResource_)
        RefreshPopupLabels();
    return TRUE;
}

BOOL KelMenu::LoadMenu(UINT resourceId) {
    return LoadMenu(MAKEINTRESOURCEW(resourceId & 0xFFFF));
}

BOOL KelMenu::LoadMenu(const wchar_t* resourceName) {
    const HINSTANCE module = fw::ResourceModule();
    HRSRC found = FindResourceW(module, resourceName, MAKEINTRESOURCEW(4));  // RT_MENU
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return FALSE;
    return BuildFromTemplate(data, SizeofResource(module, found));
}

BOOL KelMenu::BuildFromTemplate(const void* data, DWORD size) {
    // Read the whole template first, and build apart: a malformed template, or a menu or item
    // the system refuses, leaves the previous menu as it was.
    const auto items = ParseMenuTemplate(static_cast<const std::uint8_t*>(data), size);
    if (!items)
        return FALSE;
    KelMenu built;
    built.referenceWindow_ = referenceWindow_;
    built.menu_ = CreateMenu();
    if (built.menu_ == nullptr)
        return FALSE;
    std::vector<KelMenu*> levels{&built};
    for (const MenuTemplateItem& item : *items) {
        while (static_cast<int>(levels.size()) > item.depth + 1) {
            levels.back()->AlignShortcutColumn();
            levels.pop_back();
        }
        KelMenu* level = levels.back();
        const std::wstring text(item.text.begin(), item.text.end());
        if (item.IsPopup()) {
            level->ownedPopups_.push_back(std::make_unique<KelMenu>());
            KelMenu& popup = *level->ownedPopups_.back();
            popup.referenceWindow_ = referenceWindow_;
            popup.menu_ = CreatePopupMenu();
            if (popup.menu_ == nullptr ||
                !level->AppendItem(text.c_str(), item.flags,
                                   reinterpret_cast<UINT_PTR>(popup.menu_)))
                return FALSE;
            levels.push_back(&popup);
        } else if (!level->AppendItem(text.c_str(), item.flags, item.id)) {
            return FALSE;
        }
    }
    for (auto level = levels.rbegin(); level != levels.rend(); ++level)
        (*level)->AlignShortcutColumn();
    if (!built.ShowTopLevelAsText())
        return FALSE;
    DestroyMenu();
    // The records move with their addresses, which are the items' data.
    menu_ = std::exchange(built.menu_, nullptr);
    std::swap(items_, built.items_);
    std::swap(popups_, built.popups_);
    std::swap(ownedPopups_, built.ownedPopups_);
    loadedFromResource_ = true;
    return TRUE;
}

void KelMenu::AlignShortcutColumn() {
    std::vector<std::u16string> labels;
    for (const auto& item : items_)
        labels.emplace_back(item->label().begin(), item->label().end());
    ::AlignShortcutColumn(labels, MenuFontMeasure(ReferenceWindow()));
    for (std::size_t i = 0; i < labels.size(); ++i)
        items_[i]->SetLabel(std::wstring(labels[i].begin(), labels[i].end()));
}

// The menu bar itself is drawn by Windows; only the levels below it are drawn here.
bool KelMenu::ShowTopLevelAsText() {
    const int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count && position < ItemCount(); ++position) {
        const HMENU popup = ::GetSubMenu(menu_, position);
        const UINT_PTR id = popup ? reinterpret_cast<UINT_PTR>(popup) : items_[position]->commandId;
        if (!RegisterAt(static_cast<UINT>(position), *items_[position], popup ? MF_POPUP : 0, id))
            return false;
    }
    return true;
}
