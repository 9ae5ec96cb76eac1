// Profile files on disk (paths in UTF-8).
#pragma once

#include <cstdint>
#include <string>

#include "settings/profile.h"

namespace settings {

// Paths of any length the system allows are taken (settings/long_path.h).
//
// The profile in the file at `path`; when there is none, the error names the file as an
// error line does ("FILE: line 3: ...", "FILE: a folder, not a profile", "FILE: cannot be
// read (<the system's reason>)").
ProfileResult LoadProfileFile(const std::string& path);

// Puts `text` into the file at `path`; 0 when done, otherwise the system error of the step
// that failed. A disk file (or one not there yet) is replaced in one step: the text goes to
// a new temporary file of the program's own naming in the same folder, is flushed to the disk and
// closed, each result checked, and that file then moves over the old one. On any failure the
// temporary file is removed and the old file stays as it was. A device (NUL, CON, a port) cannot be
// replaced by another file: it is written directly.
std::uint32_t WriteProfileFile(const std::string& path, const std::string& text);
// What a failed write says: "FILE: cannot be written (<the system's reason>)".
std::string WriteFailure(const std::string& path, std::uint32_t error);

}  // namespace settings
