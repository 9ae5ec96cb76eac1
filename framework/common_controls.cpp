#include "framework/common_controls.h"

#include "framework/late_bound.h"

namespace fw {
namespace {
const wchar_t kLibrary[] = L"comctl32.dll";
}

bool InitCommonControls(DWORD classes) {
    auto* init = LATE_BOUND(kLibrary, InitCommonControlsEx);
    INITCOMMONCONTROLSEX request{sizeof(request), classes};
    return init && init(&request);
}

HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow) {
    auto* create = LATE_BOUND(kLibrary, ImageList_Create);
    return create ? create(width, height, flags, initial, grow) : nullptr;
}

BOOL ImageListDestroy(HIMAGELIST list) {
    auto* destroy = LATE_BOUND(kLibrary, ImageList_Destroy);
    return destroy ? destroy(list) : FALSE;
}

int ImageListAddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
    auto* add = LATE_BOUND(kLibrary, ImageList_AddMasked);
    return add ? add(list, bitmap, mask) : -1;
}

int ImageListReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    auto* replace = LATE_BOUND(kLibrary, ImageList_ReplaceIcon);
    return replace ? replace(list, index, icon) : -1;
}

HICON ImageListGetIcon(HIMAGELIST list, int index, UINT flags) {
    auto* get = LATE_BOUND(kLibrary, ImageList_GetIcon);
    return get ? get(list, index, flags) : nullptr;
}

BOOL ImageListGetIconSize(HIMAGELIST list, int* width, int* height) {
    auto* size = LATE_BOUND(kLibrary, ImageList_GetIconSize);
    return size ? size(list, width, height) : FALSE;
}

BOOL ImageListDraw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    auto* draw = LATE_BOUND(kLibrary, ImageList_Draw);
    return draw ? draw(list, index, dc, x, y, style) : FALSE;
}

HBITMAP CreateMappedBitmap(HINSTANCE module, INT_PTR bitmap, UINT flags, COLORMAP* map,
                           int mapSize) {
    auto* create = LATE_BOUND(kLibrary, CreateMappedBitmap);
    return create ? create(module, bitmap, flags, map, mapSize) : nullptr;
}

}  // namespace fw
