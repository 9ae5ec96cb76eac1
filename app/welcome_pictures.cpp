#include "app/welcome_pictures.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "app/welcome_picture.h"
#include "controls/bitmap_region.h"
#include "framework/resources.h"
#include "res/resource.h"

namespace {

// The close glyph's size at 96 DPI; its icon holds images for 100, 150 and 200 %, of which the
// system scales the nearest.
constexpr SIZE kCloseGlyph{21, 14};

// A 32-bit DIB section of `canvas`'s size, rows top first, drawn by `draw` into its own
// pixels; `canvas` then holds them. None for a canvas of no size.
template <typename Draw>
HBITMAP MakeBitmap(Canvas& canvas, Draw draw) {
    if (canvas.width == 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = canvas.width;
    info.bmiHeader.biHeight = -canvas.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr)
        return bitmap;
    canvas.pixels = static_cast<std::uint32_t*>(bits);
    draw(canvas);
    return bitmap;
}

// Whether a drawn picture has a pure black pixel; none without pixels.
bool HasBlack(const Canvas& canvas) {
    if (canvas.pixels == nullptr)
        return false;
    const std::uint32_t* const first = canvas.pixels;
    const std::uint32_t* const end =
        first + static_cast<std::ptrdiff_t>(canvas.width) * canvas.height;
    return std::find(first, end, 0u) != end;
}

// The system makes the icon at exactly the size asked for, from the image nearest to it.
HICON LoadCloseGlyph(SIZE size) {
    return static_cast<HICON>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(IDI_CLOSE),
                                         IMAGE_ICON, size.cx, size.cy, LR_DEFAULTCOLOR));
}

}  // namespace

WelcomePictures MakeWelcomePictures(UINT dpi) {
    WelcomePictures pictures;
    Canvas enter = EnterCanvas(dpi);
    pictures.enter.reset(MakeBitmap(enter, [dpi](const Canvas& c) { DrawEnter(dpi, c); }));
    pictures.closeSize = {MulDiv(kCloseGlyph.cx, static_cast<int>(dpi), 96),
                          MulDiv(kCloseGlyph.cy, static_cast<int>(dpi), 96)};
    pictures.close.reset(LoadCloseGlyph(pictures.closeSize));
    Canvas background = WelcomeCanvas(dpi);
    pictures.background.reset(
        MakeBitmap(background, [dpi](const Canvas& c) { DrawWelcome(dpi, c); }));
    // Only pure black is cut away. Without any, the outline is the picture's whole rectangle,
    // which the window already is once it takes the picture's size.
    if (HasBlack(background))
        pictures.outline.reset(BuildBitmapRegion(pictures.background.get(), RGB(0, 0, 0), 0));
    return pictures;
}
