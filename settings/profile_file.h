// Profile files on disk (paths in UTF-8).
#pragma once

#include <cstdint>
#include <string>

#include "framework/seam.h"
#include "settings/profile.h"

namespace settings {

// The system's replacement of one file by another, the step of a profile write whose
// documented failures (the old file moved aside under another name, the new one not moved
// in) no test can provoke on a real disk: tests stand in for it here.
class FileReplacement {
public:
    virtual ~FileReplacement() = default;
    // As ReplaceFileW with `backup` as its backup name, merge errors ignored: 0, or the
    // system error.
    virtual std::uint32_t Replace(const std::wstring& replaced, const std::wstring& replacement,
                                  const std::wstring& backup) = 0;
};
fw::Seam<FileReplacement>& FileReplacementSeam();

// Paths of any length the system allows are taken (settings/long_path.h).
//
// The profile in the file at `path`; when there is none, the error names the file as an
// error line does ("FILE: line 3: ...", "FILE: a folder, not a profile", "FILE: cannot be
// read (<the system's reason>)").
ProfileResult LoadProfileFile(const std::string& path);

// The step of a profile write that failed, and the system's error there.
enum class WriteStep { None, ReadOnly, Folder, Create, Write, Flush, Close, Replace };
struct WriteResult {
    WriteStep step = WriteStep::None;  // None: written
    std::uint32_t error = 0;           // the system error of the step (none for ReadOnly)
    explicit operator bool() const { return step != WriteStep::None; }
};

// Puts `text` into the file at `path`; a result that is true names the step that failed. A
// read-only file, and a folder, are refused before anything is written. A disk file (or one
// not there yet) is replaced in one step: the text goes to a new temporary file of the program's
// own naming in the same folder, is flushed to the disk and closed, each result checked, and that
// file then takes the old one's place, keeping its attributes and permissions; meanwhile the
// old file has a backup name of the program's own, so that the system never leaves it under a
// name of its choosing. On any failure the temporary file is removed and the old file stays
// as it was, or is put back under its name. A device (NUL, CON, a port)
// cannot be replaced by another file: it is written directly.
WriteResult WriteProfileFile(const std::string& path, const std::string& text);
// What a failed write says: "FILE: cannot be written (write failed: <the system's reason>)",
// "FILE: cannot be written (the file is read-only)", "FILE: cannot be written (it is a folder)".
std::string WriteFailure(const std::string& path, const WriteResult& result);

}  // namespace settings
