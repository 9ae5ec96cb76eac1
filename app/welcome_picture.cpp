#include "app/welcome_picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

struct Color {
    double r, g, b;
};

// Each channel to the nearest whole value (halves up), kept within 0 to 255. The whole part
// and an exact comparison of the rest, as std::lround rounds such a value, without its call
// (a library call a channel, several times slower than the rest of the pixel in 32 bits).
std::uint32_t Packed(const Color& c) {
    const auto channel = [](double value) {
        const double kept = std::min(std::max(value, 0.0), 255.0);
        const auto whole = static_cast<std::uint32_t>(kept);  // not negative: its floor
        return kept - whole >= 0.5 ? whole + 1 : whole;       // the difference is exact
    };
    return channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

Color Unpacked(std::uint32_t pixel) {
    return {static_cast<double>(pixel >> 16 & 0xFF), static_cast<double>(pixel >> 8 & 0xFF),
            static_cast<double>(pixel & 0xFF)};
}

// `over` laid on `under` where `cover` (0 to 1) of the pixel is inked.
Color Blend(const Color& under, const Color& over, double cover) {
    return {under.r + (over.r - under.r) * cover, under.g + (over.g - under.g) * cover,
            under.b + (over.b - under.b) * cover};
}

// The lettering's font: rows top first, '#' is ink; rows 7 and 8 hold the descenders.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 9;
constexpr int kGlyphAdvance = 6;
struct Glyph {
    char character;
    const char* rows[kGlyphHeight];
};
const Glyph kGlyphs[] = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####", ".....", "....."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#....", ".....", "....."}},
    {'S', {".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###.", ".....", "....."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#", ".....", "....."}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."}},
    {'c', {".....", ".....", ".###.", "#....", "#....", "#....", ".###.", ".....", "....."}},
    {'d', {"....#", "....#", ".####", "#...#", "#...#", "#...#", ".####", ".....", "....."}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."}},
    {'g', {".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "#...#", ".###."}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", ".....", "....."}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", ".....", "....."}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#", ".....", "....."}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#", ".....", "....."}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."}},
    {'p', {".....", ".....", "####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."}},
    {'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."}},
    {'t', {".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#", ".....", "....."}},
};

const Glyph* GlyphOf(char c) {
    for (const Glyph& glyph : kGlyphs)
        if (glyph.character == c)
            return &glyph;
    return nullptr;
}

// Where a dot starts along one axis, and the pixels [first, end) it falls on.
struct DotSpan {
    double from;
    long first, end;
};

double TextWidth(const std::string& text, double dot) {
    return (static_cast<double>(text.size()) * kGlyphAdvance - 1) * dot;
}

// Inks `text` with dots of `dot` pixels (which need not be whole) from (left, top): the dot
// of cell (cx, cy) covers [left + cx * dot, + dot) x [top + cy * dot, + dot), and a pixel it
// covers in part takes `color` in that part.
void DrawText(const Canvas& drawing, const std::string& text, double left, double top, double dot,
              const Color& color) {
    const long x0 = std::max(0L, static_cast<long>(std::floor(left)));
    const long y0 = std::max(0L, static_cast<long>(std::floor(top)));
    const long x1 =
        std::min(drawing.width, static_cast<long>(std::ceil(left + TextWidth(text, dot) + dot)));
    const long y1 =
        std::min(drawing.height, static_cast<long>(std::ceil(top + kGlyphHeight * dot)));
    if (x1 <= x0 || y1 <= y0)
        return;
    // Where each dot row and each dot column starts and the pixels it falls on, worked out
    // once a line: a float's conversion to a whole number is dear in 32-bit code.
    const auto span = [dot](double from, long low, long high) {
        return DotSpan{from, std::max(low, static_cast<long>(std::floor(from))),
                       std::min(high, static_cast<long>(std::ceil(from + dot)))};
    };
    DotSpan rows[kGlyphHeight];
    for (int gy = 0; gy < kGlyphHeight; ++gy)
        rows[gy] = span(top + gy * dot, y0, y1);
    std::vector<DotSpan> columns(text.size() * kGlyphAdvance);
    for (std::size_t column = 0; column < columns.size(); ++column)
        columns[column] = span(left + static_cast<double>(column) * dot, x0, x1);
    std::vector<double> cover(static_cast<std::size_t>((x1 - x0) * (y1 - y0)), 0.0);
    for (std::size_t index = 0; index < text.size(); ++index) {
        const Glyph* glyph = GlyphOf(text[index]);
        for (int gy = 0; glyph != nullptr && gy < kGlyphHeight; ++gy) {
            for (int gx = 0; gx < kGlyphWidth; ++gx) {
                if (glyph->rows[gy][gx] != '#')
                    continue;
                const DotSpan& row = rows[gy];
                const DotSpan& column = columns[index * kGlyphAdvance + gx];
                const double cx = column.from, cy = row.from;
                for (long y = row.first; y < row.end; ++y) {
                    for (long x = column.first; x < column.end; ++x) {
                        const double w = std::min(x + 1.0, cx + dot) - std::max<double>(x, cx);
                        const double h = std::min(y + 1.0, cy + dot) - std::max<double>(y, cy);
                        if (w > 0 && h > 0)
                            cover[static_cast<std::size_t>((y - y0) * (x1 - x0) + (x - x0))] +=
                                w * h;
                    }
                }
            }
        }
    }
    const std::uint32_t ink = Packed(color);  // a pixel covered whole
    for (long y = y0; y < y1; ++y) {
        for (long x = x0; x < x1; ++x) {
            const double c = cover[static_cast<std::size_t>((y - y0) * (x1 - x0) + (x - x0))];
            if (c <= 0)
                continue;
            std::uint32_t& pixel = drawing.pixels[y * drawing.width + x];
            pixel = c >= 1 ? ink : Packed(Blend(Unpacked(pixel), color, c));
        }
    }
}

// A value going from `from` to `to` as steps / span goes from 0 to 1, in 16.16 fixed point:
// where a row starts (`steps` in) and how much it grows a pixel (`stride` steps), so that a
// row costs an addition a pixel. The value's 16 bits of fraction keep it within 1/64 of
// the exact one over the widest picture drawn.
struct Ramp {
    std::uint32_t from, to;
    std::uint32_t Start(long long span, long long steps) const {
        return static_cast<std::uint32_t>(
            ((static_cast<long long>(from) * span + (to - from) * steps) * 65536 + span / 2) /
            span);
    }
    std::uint32_t Growth(long long span, long long stride) const {
        return static_cast<std::uint32_t>(((to - from) * stride * 65536 + span / 2) / span);
    }
};

// A drawing of the size of `canvas`, drawn into its own pixels by `draw`.
template <typename Draw>
Drawing DrawnAlone(Canvas canvas, Draw draw) {
    Drawing drawing;
    if (canvas.width == 0)
        return drawing;
    drawing.width = canvas.width;
    drawing.height = canvas.height;
    drawing.pixels.resize(static_cast<std::size_t>(canvas.width * canvas.height));
    canvas.pixels = drawing.pixels.data();
    draw(canvas);
    return drawing;
}

// `width` x `height` at 96 DPI at `dpi`: none where the picture would be less than 2 x 2.
Canvas SizedFor(long width, long height, unsigned dpi) {
    Canvas canvas;
    canvas.width = ScaledToDpi(width, dpi);
    canvas.height = ScaledToDpi(height, dpi);
    if (canvas.width < 2 || canvas.height < 2)
        return Canvas();
    return canvas;
}

}  // namespace

long ScaledToDpi(long size, unsigned dpi) {
    return static_cast<long>((static_cast<long long>(size) * dpi + 48) / 96);
}

Canvas WelcomeCanvas(unsigned dpi) {
    return SizedFor(kWelcomeWidth, kWelcomeHeight, dpi);
}

void DrawWelcome(unsigned dpi, const Canvas& drawing) {
    if (drawing.width < 2 || drawing.height < 2)
        return;
    const double scale = dpi / 96.0;
    const Color band{40, 70, 160}, grey{90, 90, 96};
    const long bandRows = ScaledToDpi(6, dpi);
    // Slate at the top left to white at the bottom right: t = (x / (w - 1) + y / (h - 1)) / 2
    // of the way, each channel to the nearest whole value, in whole numbers only.
    const long long span = 2LL * (drawing.width - 1) * (drawing.height - 1);
    const Ramp ramps[3] = {{106, 255}, {120, 255}, {170, 255}};
    std::uint32_t growth[3];
    for (int k = 0; k < 3; ++k)
        growth[k] = ramps[k].Growth(span, drawing.height - 1);
    const std::uint32_t half = 0x8000;  // to the nearest whole value
    for (long y = 0; y < drawing.height; ++y) {
        std::uint32_t* row = drawing.pixels + y * drawing.width;
        if (y < bandRows) {
            std::fill(row, row + drawing.width, Packed(band));
            continue;
        }
        std::uint32_t value[3];
        for (int k = 0; k < 3; ++k)
            value[k] = ramps[k].Start(span, static_cast<long long>(y) * (drawing.width - 1)) + half;
        std::uint32_t red = value[0], green = value[1], blue = value[2];
        for (long x = 0; x < drawing.width; ++x) {
            row[x] = (red >> 16) << 16 | (green >> 16) << 8 | blue >> 16;
            red += growth[0];
            green += growth[1];
            blue += growth[2];
        }
    }
    const double dot = 2 * scale;
    double top = static_cast<double>(ScaledToDpi(110, dpi));
    for (const std::string line : {"Welcome to use magstripecard", "reader Setting Program"}) {
        const long left = (drawing.width - std::lround(TextWidth(line, dot))) / 2;
        DrawText(drawing, line, static_cast<double>(left), top, dot, grey);
        top += static_cast<double>(std::lround((kGlyphHeight + 4) * dot));
    }
}

Drawing DrawWelcome(unsigned dpi) {
    return DrawnAlone(WelcomeCanvas(dpi),
                      [dpi](const Canvas& canvas) { DrawWelcome(dpi, canvas); });
}

Canvas EnterCanvas(unsigned dpi) {
    return SizedFor(kEnterWidth, kEnterHeight, dpi);
}

void DrawEnter(unsigned dpi, const Canvas& drawing) {
    if (drawing.width < 2 || drawing.height < 2)
        return;
    const double radius = drawing.height / 2.0;
    for (long y = 0; y < drawing.height; ++y) {
        const long shade = 30 * y / (drawing.height - 1);
        const long halfShade = shade / 2;  // whole steps, as the face was first drawn
        const std::uint32_t face =
            Packed({40.0, static_cast<double>(90 - halfShade), static_cast<double>(200 - shade)});
        for (long x = 0; x < drawing.width; ++x) {
            const double cx = std::min(std::max(x + 0.5, radius), drawing.width - radius);
            const double dx = x + 0.5 - cx, dy = y + 0.5 - radius;
            const bool inside = dx * dx + dy * dy <= radius * radius;
            drawing.pixels[y * drawing.width + x] = inside ? face : kEnterKey;
        }
    }
    // Nearly white, so that the caption is not cut away with the corners.
    const double dot = dpi / 96.0;
    DrawText(drawing, "Enter", (drawing.width - TextWidth("Enter", dot)) / 2, 7 * dot, dot,
             {250, 250, 250});
}

Drawing DrawEnter(unsigned dpi) {
    return DrawnAlone(EnterCanvas(dpi), [dpi](const Canvas& canvas) { DrawEnter(dpi, canvas); });
}
