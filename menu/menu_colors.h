// Colour arithmetic of the menu's two looks. Colours are 0x00BBGGRR values.
#pragma once

#include <cstdint>

// Moves each channel the fraction `factor` of the way to 255; a factor outside (0, 1]
// leaves the colour as it is.
std::uint32_t BlendTowardWhite(std::uint32_t color, double factor);
