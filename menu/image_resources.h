// Reading the image resources of menu items: toolbar resources, which name the position of
// each command's picture in a strip, and the colour count of a bitmap header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A toolbar resource is 16-bit words: version (1), button width, button height, button
// count, then one command id per button (0 for a separator, which has no picture).
// The position of the command's picture in the strip, or nothing when the toolbar has no
// button for it or the resource is malformed.
std::optional<int> ToolbarImagePosition(const std::uint8_t* data, std::size_t size,
                                        unsigned command);

// Palette colours of a bitmap: its used-colour count when set, else by bits per pixel
// (1: 2, 4: 16, 8: 256, others none).
int BitmapColorCount(std::uint32_t colorsUsed, std::uint16_t bitCount);
// The palette colours of a bitmap resource (the bitmap without its file header) whose
// header is the information header of 40 bytes or one of its longer successors, as the
// system-colour mapping reads it. Nothing for the 12-byte core header of older bitmaps,
// whose fields lie elsewhere and whose palette entries are 3 bytes, or for a header cut short.
std::optional<int> InfoHeaderColorCount(const std::uint8_t* data, std::size_t size);

// The ids of the shared image list, entry by entry.
// The first entry of `command`, or -1.
int SharedImageIndex(const std::vector<int>& ids, int command);
// Whether entries i, i + 1 and i + 2 exist and belong to one command: an image followed by
// its faded and shadow variants.
bool HasRaisedVariants(const std::vector<int>& ids, int index);
