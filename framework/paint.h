// Paint helpers the controls and the menu share: solid fills and one-pixel frames.
#pragma once

#include <windows.h>

namespace fw {

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame just inside `rect`.
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);
// A one-pixel frame in two colours: top and left in one, bottom and right in the other.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);

}  // namespace fw
