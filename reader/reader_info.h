// A connected reader as its HID interface describes it: what the search finds and what
// zp350cli lists.
#pragma once

#include <cstdint>
#include <string>

namespace reader {

// A connected reader as its HID interface describes it.
struct ReaderInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t versionNumber = 0;
};

}  // namespace reader
