// The common-controls functions the program uses, bound on first use (framework/late_bound.h):
// none of them is needed before the first window shows.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace fw {

// Registers the common-control window classes of `classes` (ICC_* flags); false when the
// library is missing.
bool InitCommonControls(DWORD classes);

HIMAGELIST ImageListCreate(int width, int height, UINT flags, int initial, int grow);
BOOL ImageListDestroy(HIMAGELIST list);
int ImageListAddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
int ImageListReplaceIcon(HIMAGELIST list, int index, HICON icon);
HICON ImageListGetIcon(HIMAGELIST list, int index, UINT flags);
BOOL ImageListGetIconSize(HIMAGELIST list, int* width, int* height);
BOOL ImageListDraw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
HBITMAP CreateMappedBitmap(HINSTANCE module, INT_PTR bitmap, UINT flags, COLORMAP* map,
                           int mapSize);

}  // namespace fw
