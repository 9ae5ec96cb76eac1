// Full paths in the form the system's file calls take at any length.
#pragma once

#include <cstddef>
#include <string>

namespace settings {

// The longest path the file calls take as it is: MAX_PATH less its terminating zero.
constexpr std::size_t kLongestPlainPath = 259;

// `fullPath` (a full path, as GetFullPathNameW gives it) as the file calls take it: as it is
// up to kLongestPlainPath characters, beyond that with the prefix \\?\ (\\?\UNC\ for a share
// \\server\share\...). A path that already has a prefix (\\?\, \\.\, \??\) stays as it is.
std::wstring LongPathForm(const std::wstring& fullPath);

}  // namespace settings
