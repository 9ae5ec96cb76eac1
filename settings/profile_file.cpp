#include "settings/profile_file.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/owned.h"
#include "settings/long_path.h"
#include "settings/profile.h"
#include "settings/quoting.h"
#include "settings/system_reason.h"
#include "settings/utf8.h"

namespace settings {
namespace {

struct FileHandleTraits {
    static HANDLE none() { return INVALID_HANDLE_VALUE; }
    static bool valid(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
    void close(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = fw::Owned<HANDLE, FileHandleTraits>;

// How often a temporary name already taken is followed by another.
constexpr int kTemporaryNameTries = 16;

// The full path of `path`; empty when it cannot be resolved. The system resolves paths of any
// length here.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    return full;
}

// Whether `path` names something that is not a disk file, such as a device.
bool IsDevice(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    return file && GetFileType(file.get()) != FILE_TYPE_DISK;
}

// Writes all of `text` to `file`; the system error when a write fails or stops short.
std::uint32_t WriteAll(HANDLE file, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr))
            return GetLastError();
        if (written == 0)
            return ERROR_WRITE_FAULT;
        done += written;
    }
    return 0;
}

WriteResult Failed(WriteStep step, std::uint32_t error) {
    return {step, error};
}

// Writes `text` into the open `file`, for a disk file flushes it to the disk, then closes the
// file; the first step that fails.
WriteResult WriteAndClose(FileHandle file, const std::string& text, bool disk) {
    WriteResult result;
    if (const std::uint32_t error = WriteAll(file.get(), text))
        result = Failed(WriteStep::Write, error);
    else if (disk && !FlushFileBuffers(file.get()))
        result = Failed(WriteStep::Flush, GetLastError());
    // Closed here rather than by the owner, because a close that fails loses bytes.
    const HANDLE handle = file.get();
    file.HandToSystem();
    if (!CloseHandle(handle) && !result)
        result = Failed(WriteStep::Close, GetLastError());
    return result;
}

// A name in `folder` (with its final backslash) for the temporary file of one write.
std::wstring TemporaryName(const std::wstring& folder, int attempt) {
    return folder + L"~zp350-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(attempt) + L".tmp";
}

// Makes a new temporary file beside `full` (a full path); `error` says why when none could
// be made.
FileHandle NewTemporaryFile(const std::wstring& full, std::wstring& temporary,
                            std::uint32_t& error) {
    const std::wstring folder = full.substr(0, full.find_last_of(L'\\') + 1);
    for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
        temporary = LongPathForm(TemporaryName(folder, attempt));
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return file;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    temporary.clear();
    return {};
}

// The attributes of what is at `path`; INVALID_FILE_ATTRIBUTES when nothing is there.
DWORD AttributesOf(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool Has(DWORD attributes, DWORD attribute) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
}

class SystemFileReplacement : public FileReplacement {
public:
    std::uint32_t Replace(const std::wstring& replaced, const std::wstring& replacement,
                          const std::wstring& backup) override {
        if (ReplaceFileW(replaced.c_str(), replacement.c_str(), backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return 0;
        return GetLastError();
    }
};

// Puts the written `temporary` file in the place of `target`, whose `attributes` were read
// before. An existing file is replaced by the system, which keeps its attributes, permissions
// and creation time; one not there yet is made by moving the temporary file.
//
// The replacement moves the old file to a backup name first. With a backup name the system
// documents that a failed replacement leaves the old file under its own name (1175, 1176) or
// under the backup name (1177: the new file could not be moved in); without one, 1176 would
// have removed it. So the old file is put back whenever the target is gone and the backup is
// there, and the backup is removed once the new file is in place.
std::uint32_t TakePlace(const std::wstring& temporary, const std::wstring& target,
                        DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH))
            return GetLastError();
        return 0;
    }
    const std::wstring backup = temporary + L".old";
    if (const std::uint32_t error =
            FileReplacementSeam().Current().Replace(target, temporary, backup)) {
        if (AttributesOf(target) == INVALID_FILE_ATTRIBUTES &&
            AttributesOf(backup) != INVALID_FILE_ATTRIBUTES)
            MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        return error;
    }
    DeleteFileW(backup.c_str());
    // Some systems' replacement leaves the new file's own attributes: give back the old ones.
    if (AttributesOf(target) != attributes)
        SetFileAttributesW(target.c_str(), attributes);
    return 0;
}

// Replaces the disk file at `full` (or makes it) through a temporary file beside it.
WriteResult ReplaceDiskFile(const std::wstring& full, const std::string& text) {
    const std::wstring target = LongPathForm(full);
    const DWORD attributes = AttributesOf(target);
    if (Has(attributes, FILE_ATTRIBUTE_DIRECTORY))
        return Failed(WriteStep::Folder, ERROR_DIRECTORY);
    if (Has(attributes, FILE_ATTRIBUTE_READONLY))
        return Failed(WriteStep::ReadOnly, ERROR_ACCESS_DENIED);
    std::wstring temporary;
    std::uint32_t error = 0;
    FileHandle file = NewTemporaryFile(full, temporary, error);
    if (!file)
        return Failed(WriteStep::Create, error);
    WriteResult result = WriteAndClose(std::move(file), text, true);
    if (!result) {
        if (const std::uint32_t placed = TakePlace(temporary, target, attributes))
            result = Failed(WriteStep::Replace, placed);
    }
    if (result)
        DeleteFileW(temporary.c_str());
    return result;
}

// The file's bytes, at most one more than a profile may have; the system error when it
// cannot be read, else 0.
std::uint32_t ReadProfileFile(const std::string& path, std::string& text) {
    const std::wstring full = FullPath(Wide(path));
    if (full.empty())
        return ERROR_BAD_PATHNAME;
    const FileHandle file(CreateFileW(LongPathForm(full).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return GetLastError();
    char buffer[4096];
    while (text.size() <= kMaxProfileBytes) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr))
            return GetLastError();
        if (got == 0)
            break;
        text.append(buffer, got);
    }
    return 0;
}

// Whether `path` names a folder.
bool IsFolder(const std::string& path) {
    const std::wstring full = FullPath(Wide(path));
    if (full.empty())
        return false;
    return Has(AttributesOf(LongPathForm(full)), FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

fw::Seam<FileReplacement>& FileReplacementSeam() {
    static SystemFileReplacement system;
    static fw::Seam<FileReplacement> seam(system);
    return seam;
}

ProfileResult LoadProfileFile(const std::string& path) {
    const std::string shown = ShownPath(path);
    if (IsFolder(path))
        return {std::nullopt, shown + ": a folder, not a profile"};
    std::string text;
    if (const std::uint32_t error = ReadProfileFile(path, text))
        return {std::nullopt, shown + ": cannot be read (" + SystemReason(error) + ")"};
    ProfileResult profile = ReadProfile(text);
    if (!profile.setup)
        profile.error = shown + ": " + profile.error;
    return profile;
}

WriteResult WriteProfileFile(const std::string& path, const std::string& text) {
    const std::wstring wide = Wide(path);
    if (wide.empty())
        return Failed(WriteStep::Create, ERROR_INVALID_NAME);
    const std::wstring full = FullPath(wide);
    if (full.empty())
        return Failed(WriteStep::Create, ERROR_BAD_PATHNAME);
    if (!IsDevice(LongPathForm(full)))
        return ReplaceDiskFile(full, text);
    FileHandle device(CreateFileW(LongPathForm(full).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device)
        return Failed(WriteStep::Create, GetLastError());
    return WriteAndClose(std::move(device), text, false);
}

std::string WriteFailure(const std::string& path, const WriteResult& result) {
    const char* step = "";
    switch (result.step) {
        case WriteStep::ReadOnly:
            return ShownPath(path) + ": cannot be written (the file is read-only)";
        case WriteStep::Folder:
            return ShownPath(path) + ": cannot be written (it is a folder)";
        case WriteStep::Create:
            step = "create";
            break;
        case WriteStep::Write:
            step = "write";
            break;
        case WriteStep::Flush:
            step = "flush";
            break;
        case WriteStep::Close:
            step = "close";
            break;
        case WriteStep::Replace:
            step = "replace";
            break;
        case WriteStep::None:
            break;
    }
    return ShownPath(path) + ": cannot be written (" + step +
           " failed: " + SystemReason(result.error) + ")";
}

}  // namespace settings
