#include "reader/turn_name.h"

#include <cstdint>

namespace reader {

std::string TurnName(const std::string& devicePath) {
    // 64-bit FNV-1a: short, fixed length, and without the backslashes a path holds, which a
    // kernel object's name may not hold after its namespace.
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : devicePath) {
        const unsigned char byte = static_cast<unsigned char>(c);
        hash ^= (byte >= 'A' && byte <= 'Z') ? byte - 'A' + 'a' : byte;
        hash *= 1099511628211ull;
    }
    std::string name = "Global\\zp350-reader-";
    const char* digits = "0123456789abcdef";
    for (int shift = 60; shift >= 0; shift -= 4)
        name.push_back(digits[(hash >> shift) & 0xF]);
    return name;
}

}  // namespace reader
