#include "menu/menu_paint.h"

#include "framework/common_controls.h"
#include "menu/kel_menu.h"
#include "menu/menu_colors.h"
#include "menu/menu_look.h"

namespace {
constexpr DWORD kDspdxax = 0xE20746;  // the brush where the source is black, else the dest
}  // namespace

COLORREF Blend(COLORREF color, double factor) {
    if (fw::HighContrast())
        return color;
    return static_cast<COLORREF>(BlendTowardWhite(color, factor));
}

// Seven strokes three pixels long, each a pixel to the right of the one before, rising and
// falling: every pixel of it scaled to a square of the DPI's size.
void DrawTick(HDC dc, int x, int y, COLORREF color, UINT dpi) {
    static const int kRise[7] = {2, 3, 4, 3, 2, 1, 0};
    fw::Brush brush(CreateSolidBrush(color));
    for (int i = 0; i < 7; ++i) {
        const RECT stroke{x + fw::Scale(i, dpi), y + fw::Scale(kRise[i], dpi),
                          x + fw::Scale(i + 1, dpi), y + fw::Scale(kRise[i] + 3, dpi)};
        FillRect(dc, &stroke, brush.get());
    }
}

void DrawDot(HDC dc, int x, int y, COLORREF color, UINT dpi) {
    fw::Brush brush(CreateSolidBrush(color));
    fw::Pen pen(CreatePen(PS_SOLID, 1, color));
    fw::Selection brushSelection(dc, brush.get());
    fw::Selection penSelection(dc, pen.get());
    const int size = fw::Scale(6, dpi);
    Ellipse(dc, x, y, x + size, y + size);
}

void DrawClassicCheckBox(HDC dc, const RECT& cell, bool selected, bool radio, UINT dpi) {
    COLORREF fill = GetSysColor(KelMenu::IsThemedXp() ? COLOR_BTNFACE : COLOR_MENU);
    if (!selected)
        fill = Blend(fill, 0.6);
    fw::FillSolid(dc, cell, fill);
    if (KelMenu::WindowsVersion() >= kEdgesFromCode) {
        RECT edge = cell;
        DrawEdge(dc, &edge, BDR_SUNKENINNER, BF_RECT);
    }
    const int four = fw::Scale(4, dpi);
    if (radio)
        DrawDot(dc, cell.left + fw::Scale(5, dpi), cell.top + four, GetSysColor(COLOR_MENUTEXT),
                dpi);
    else
        DrawTick(dc, cell.left + four, cell.top + four, GetSysColor(COLOR_MENUTEXT), dpi);
}

void DrawFlatCheckBox(HDC dc, const RECT& cell, bool radio, COLORREF highlight, UINT dpi) {
    fw::FillSolid(dc, cell, Blend(highlight, 0.85));
    fw::FrameSolid(dc, cell, highlight);
    const int x = cell.left + fw::Scale(5, dpi);
    const int y = cell.top + fw::Scale(4, dpi);
    if (radio)
        DrawDot(dc, x, y, GetSysColor(COLOR_MENUTEXT), dpi);
    else
        DrawTick(dc, x, y, GetSysColor(COLOR_MENUTEXT), dpi);
}

void DrawEmbossedImage(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sx, int sy,
                       COLORREF background) {
    fw::MemoryDc mono(CreateCompatibleDC(dc));
    fw::MemoryDc source(CreateCompatibleDC(dc));
    fw::Bitmap maskBits(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mono || !source || !maskBits)
        return;
    fw::Selection monoSelection(mono.get(), maskBits.get());
    fw::Selection sourceSelection(source.get(), bitmap);
    // The mask: white where the image shows button face or highlight, black elsewhere.
    PatBlt(mono.get(), 0, 0, width, height, WHITENESS);
    SetBkColor(source.get(), GetSysColor(COLOR_BTNFACE));
    BitBlt(mono.get(), 0, 0, width, height, source.get(), sx, sy, SRCCOPY);
    SetBkColor(source.get(), GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(mono.get(), 0, 0, width, height, source.get(), sx, sy, SRCPAINT);

    fw::FillSolid(source.get(), {0, 0, width, height}, background);
    SetBkColor(source.get(), RGB(0, 0, 0));
    SetTextColor(source.get(), RGB(255, 255, 255));
    fw::Brush light(CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT)));
    fw::Brush shadow(CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW)));
    {
        fw::Selection lightSelection(source.get(), light.get());
        BitBlt(source.get(), 0, 0, width, height, mono.get(), 0, 0, kDspdxax);
        BitBlt(dc, x + 1, y + 1, width, height, source.get(), 0, 0, SRCCOPY);
        BitBlt(source.get(), 1, 1, width, height, mono.get(), 0, 0, kDspdxax);
    }
    fw::Selection shadowSelection(source.get(), shadow.get());
    BitBlt(source.get(), 0, 0, width, height, mono.get(), 0, 0, kDspdxax);
    BitBlt(dc, x, y, width, height, source.get(), 0, 0, SRCCOPY);
}

fw::Bitmap ImageToBitmap(HDC dc, HIMAGELIST list, int index, int width, int height) {
    fw::Icon icon(fw::ImageListGetIcon(list, index, ILD_NORMAL));
    fw::MemoryDc memory(CreateCompatibleDC(dc));
    fw::Bitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!icon || !memory || !bitmap)
        return fw::Bitmap();
    fw::Brush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    fw::Selection selection(memory.get(), bitmap.get());
    const RECT all{0, 0, width, height};
    FillRect(memory.get(), &all, face.get());
    DrawIconEx(memory.get(), 0, 0, icon.get(), width, height, 0, face.get(), DI_NORMAL);
    return bitmap;
}

OffscreenDc::OffscreenDc(HDC target, const RECT& rect) : target_(target), rect_(rect) {
    if (GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER)
        return;
    memory_.reset(CreateCompatibleDC(target));
    bitmap_.reset(CreateCompatibleBitmap(target, rect.right - rect.left, rect.bottom - rect.top));
    if (!memory_ || !bitmap_) {
        memory_.reset();
        return;
    }
    displaced_ = SelectObject(memory_.get(), bitmap_.get());
    SetWindowOrgEx(memory_.get(), rect.left, rect.top, nullptr);
}

OffscreenDc::~OffscreenDc() {
    if (!memory_)
        return;
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top,
           memory_.get(), rect_.left, rect_.top, SRCCOPY);
    SelectObject(memory_.get(), displaced_);
}
