#include "framework/paint.h"

#include "framework/gdi.h"

namespace fw {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    Brush brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
    Brush brush(CreateSolidBrush(color));
    FrameRect(dc, &rect, brush.get());
}

void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    FillSolid(dc, {rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
    FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
}

}  // namespace fw
