// The welcome window's pictures drawn for a DPI, pixel by pixel, so that the window shows
// them at its own scale at any display scaling and the program carries no stored picture:
// the background (454 x 312 pixels at 96 DPI: slate blue to white, a blue band on top, the
// welcome text) and the Enter button's face (85 x 21: a blue lozenge with a white "Enter",
// its corners the key colour, pure white). The lettering is a 5 x 9 dot font whose dots
// cover the pixels they fall on in part at scales between whole ones. No window code.
#pragma once

#include <cstdint>
#include <vector>

struct Drawing {
    long width = 0;
    long height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top first (a 32-bit DIB's order)
};

// Pixels held elsewhere (a DIB section's, say), in a drawing's order.
struct Canvas {
    long width = 0;
    long height = 0;
    std::uint32_t* pixels = nullptr;
};

// The background's and the Enter face's sizes at 96 DPI.
constexpr long kWelcomeWidth = 454;
constexpr long kWelcomeHeight = 312;
constexpr long kEnterWidth = 85;
constexpr long kEnterHeight = 21;
// The Enter face's key colour: its pixels are not painted.
constexpr std::uint32_t kEnterKey = 0xFFFFFF;

// `size` pixels at 96 DPI at `dpi`, to the nearest pixel (halves up).
long ScaledToDpi(long size, unsigned dpi);

// Neither has a pure black pixel (the window is cut to those); both are empty for a DPI of 0.
Drawing DrawWelcome(unsigned dpi);
Drawing DrawEnter(unsigned dpi);

// The same drawn into pixels the caller holds, every one of them written: each picture's
// size at `dpi` (0 x 0 where it is not drawn), then the drawing into pixels of that size.
Canvas WelcomeCanvas(unsigned dpi);
Canvas EnterCanvas(unsigned dpi);
void DrawWelcome(unsigned dpi, const Canvas& canvas);
void DrawEnter(unsigned dpi, const Canvas& canvas);
