// Profile files on disk (paths in UTF-8).
#pragma once

#include <cstdint>
#include <string>

namespace settings {

// The file's bytes, at most one more than a profile may have; false when it cannot be read.
bool ReadProfileFile(const std::string& path, std::string& text);

// Puts `text` into the file at `path`; 0 when done, otherwise the system error of the step
// that failed. A disk file (or one not there yet) is replaced in one step: the text goes to
// a temporary file in the same folder, is flushed to the disk and closed, each result
// checked, and that file then moves over the old one. On any failure the temporary file is
// removed and the old file stays as it was. A device (NUL, CON, a port) cannot be replaced
// by another file: it is written directly.
std::uint32_t WriteProfileFile(const std::string& path, const std::string& text);

}  // namespace settings
