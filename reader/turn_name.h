// The name of a reader's turn: the system-wide mutex that every program using the reader
// holds for one exchange (reader/reader_turn.h). Derived from the device path, which names
// the device instance, so that every program that opens the same reader, in any session,
// meets the same object, and programs using different readers never wait for each other.
#pragma once

#include <string>

namespace reader {

// "Global\zp350-reader-" and 16 hexadecimal digits of a hash of the path, letters made lower
// case first: the system compares device paths without regard to case.
std::string TurnName(const std::string& devicePath);

}  // namespace reader
