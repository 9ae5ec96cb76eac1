// KelMenu images: the image list shared by every menu, images loaded from bitmap strips
// placed by toolbar resources, and the faded and shadow variants of the flat look.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "framework/common_controls.h"
#include "framework/resources.h"
#include "menu/image_resources.h"
#include "menu/item_paint.h"
#include "menu/kel_menu.h"
#include "menu/menu_look.h"
#include "menu/menu_paint.h"

namespace {

constexpr UINT kListFlags = ILC_COLORDDB | ILC_MASK;
constexpr WORD kToolbarResource = 241;

struct ImageListTraits {
    static HIMAGELIST none() { return nullptr; }
    static bool valid(HIMAGELIST h) { return h != nullptr; }
    static void close(HIMAGELIST h) { fw::ImageListDestroy(h); }
};
using ImageList = fw::Owned<HIMAGELIST, ImageListTraits>;

// The shared list, created on first use and released at exit, and its command ids.
struct SharedImageStore {
    ImageList list;
    std::vector<int> ids;
};
SharedImageStore& Store() {
    static SharedImageStore store;
    return store;
}

// The bytes of a resource of the program, or null.
const std::uint8_t* ResourceBytes(int id, LPCWSTR type, DWORD& size) {
    const HINSTANCE module = fw::ResourceModule();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id & 0xFFFF), type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
}

// The picture position of `command` in the strip that toolbar resource `resource` places;
// `position` is left alone when the toolbar has no button for it.
bool FindToolbarImage(UINT_PTR command, int resource, int& position) {
    DWORD size = 0;
    const std::uint8_t* bytes = ResourceBytes(resource, MAKEINTRESOURCEW(kToolbarResource), size);
    const auto found = ToolbarImagePosition(bytes, size, static_cast<unsigned>(command));
    if (!found)
        return false;
    if (*found > 0)
        position = *found;
    return true;
}

// A 16-colour bitmap resource with the standard black, greys and white of toolbar
// pictures mapped to the current system colours; null for any other colour count or header.
fw::Bitmap LoadSysColorBitmapResource(int resource) {
    DWORD size = 0;
    const std::uint8_t* bytes = ResourceBytes(resource, MAKEINTRESOURCEW(2), size);  // RT_BITMAP
    // The mapping reads the information header; a bitmap with the older core header is
    // loaded as it is.
    if (InfoHeaderColorCount(bytes, size) != 16)
        return fw::Bitmap();
    return fw::Bitmap(
        fw::CreateMappedBitmap(fw::ResourceModule(), resource & 0xFFFF, 0, nullptr, 0));
}

bool AddMasked(HIMAGELIST list, HBITMAP bitmap) {
    return bitmap && fw::ImageListAddMasked(list, bitmap, GetSysColor(COLOR_BTNFACE)) >= 0;
}

// Every pixel that is not the button face, as the device stores that colour, becomes
// `recolor(pixel)`.
template <typename Recolor>
void RecolorImage(HBITMAP bitmap, Recolor recolor) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof(info), &info))
        return;
    fw::ClientDc screen(nullptr);
    fw::MemoryDc dc(CreateCompatibleDC(screen.get()));
    fw::MemoryDc probeDc(CreateCompatibleDC(screen.get()));
    fw::Bitmap probe(CreateCompatibleBitmap(screen.get(), info.bmWidth, info.bmHeight));
    if (!dc || !probeDc || !probe)
        return;
    COLORREF reference = 0;
    {
        fw::Selection probeSelection(probeDc.get(), probe.get());
        fw::FillSolid(probeDc.get(), {0, 0, info.bmWidth, info.bmHeight},
                      GetSysColor(COLOR_BTNFACE));
        reference = GetPixel(probeDc.get(), 1, 1);
    }
    fw::Selection selection(dc.get(), bitmap);
    for (int x = 0; x < info.bmWidth; ++x) {
        for (int y = 0; y < info.bmHeight; ++y) {
            const COLORREF pixel = GetPixel(dc.get(), x, y);
            if (pixel != reference)
                SetPixel(dc.get(), x, y, recolor(pixel));
        }
    }
}

void FadeBitmap(HBITMAP bitmap) {
    RecolorImage(bitmap, [](COLORREF pixel) { return Blend(pixel, 0.3); });
}

void ShadowBitmap(HBITMAP bitmap) {
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    if (!KelMenu::IsThemedXp())
        shadow = Blend(shadow, 0.49);
    RecolorImage(bitmap, [shadow](COLORREF) { return shadow; });
}

}  // namespace

HIMAGELIST KelMenu::SharedImages() {
    return Store().list.get();
}

const std::vector<int>& KelMenu::SharedImageIds() {
    return Store().ids;
}

int KelMenu::LoadImage(UINT_PTR command, int imageResource) {
    if (imageResource < 0)
        return SharedImageIndex(Store().ids, static_cast<int>(command));
    int position = 0;
    FindToolbarImage(command, imageResource, position);
    ImageList strip(fw::ImageListCreate(imageWidth, imageHeight, kListFlags, 1, 1));
    if (!strip || !AddBitmapResource(strip.get(), imageResource))
        return -1;
    return ShareImage(strip.get(), position, static_cast<int>(command));
}

bool KelMenu::AddBitmapResource(HIMAGELIST list, int resource) {
    fw::Bitmap bitmap = LoadSysColorBitmapResource(resource);
    if (!bitmap)
        bitmap.reset(LoadBitmapW(fw::ResourceModule(), MAKEINTRESOURCEW(resource & 0xFFFF)));
    return AddMasked(list, bitmap.get());
}

namespace {

// The faded and shadow variants of one image, made when the flat look raises images.
struct RaisedVariants {
    fw::Bitmap faded;
    fw::Bitmap shadow;
};

std::optional<RaisedVariants> MakeVariants(HWND window, HIMAGELIST list, int position, SIZE cell) {
    if (!KelMenu::UsesFlatStyle() || !kRaisedImages)
        return std::nullopt;
    fw::ClientDc dc(window);
    RaisedVariants variants{ImageToBitmap(dc.get(), list, position, cell.cx, cell.cy),
                            ImageToBitmap(dc.get(), list, position, cell.cx, cell.cy)};
    if (!variants.faded || !variants.shadow)
        return std::nullopt;
    FadeBitmap(variants.faded.get());
    ShadowBitmap(variants.shadow.get());
    return variants;
}

// Writes the variants over entries index + 1 and index + 2 of the shared list.
void ReplaceVariants(const RaisedVariants& variants, int index, SIZE cell) {
    ImageList masked(fw::ImageListCreate(cell.cx, cell.cy, kListFlags, 2, 1));
    if (!masked || !AddMasked(masked.get(), variants.faded.get()) ||
        !AddMasked(masked.get(), variants.shadow.get()))
        return;
    for (int i = 0; i < 2; ++i) {
        fw::Icon icon(fw::ImageListGetIcon(masked.get(), i, ILD_NORMAL));
        if (icon)
            fw::ImageListReplaceIcon(Store().list.get(), index + 1 + i, icon.get());
    }
}

}  // namespace

int KelMenu::ShareImage(HIMAGELIST list, int position, int command) {
    SharedImageStore& store = Store();
    if (!store.list)
        store.list.reset(fw::ImageListCreate(imageWidth, imageHeight, kListFlags, 1, 1));
    fw::Icon icon(fw::ImageListGetIcon(list, position, ILD_NORMAL));
    if (!store.list || !icon)
        return -1;
    // The images are kept as drawn, for 96 DPI; they are scaled where they are drawn.
    const SIZE cell{imageWidth, imageHeight};
    const std::optional<RaisedVariants> variants =
        MakeVariants(ReferenceWindow(), list, position, cell);

    const int existing = SharedImageIndex(store.ids, command);
    if (existing >= 0) {
        fw::ImageListReplaceIcon(store.list.get(), existing, icon.get());
        if (variants && HasRaisedVariants(store.ids, existing))
            ReplaceVariants(*variants, existing, cell);
        return existing;
    }
    const int index = fw::ImageListReplaceIcon(store.list.get(), -1, icon.get());
    if (index < 0)
        return -1;
    store.ids.push_back(command);
    if (variants && AddMasked(store.list.get(), variants->faded.get())) {
        store.ids.push_back(command);
        if (AddMasked(store.list.get(), variants->shadow.get()))
            store.ids.push_back(command);
    }
    return index;
}
