#include "settings/profile_file.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <io.h>
#include <memory>

#include "framework/owned.h"
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

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// The system error behind the C library's last failure; the library keeps it apart from
// errno. A failure that came from no system call counts as a write fault.
std::uint32_t CLibraryError() {
    return _doserrno != 0 ? static_cast<std::uint32_t>(_doserrno) : ERROR_WRITE_FAULT;
}

// Whether `path` names something that is not a disk file, such as a device.
bool IsDevice(const std::wstring& path) {
    const FileHandle file(CreateFileW(path.c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    return file && GetFileType(file.get()) != FILE_TYPE_DISK;
}

// Writes `text` into the C library's buffer, flushes it to the system and, for a disk file,
// on to the disk, then closes the file; the error of the first step that fails.
std::uint32_t WriteAndClose(const std::wstring& path, const std::string& text, bool disk) {
    _doserrno = 0;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return CLibraryError();
    std::uint32_t error = 0;
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0)
        error = CLibraryError();
    else if (disk && !FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))))
        error = GetLastError();
    if (std::fclose(file) != 0 && error == 0)
        error = CLibraryError();
    return error;
}

// The folder of `path`, with its final backslash; empty when the path cannot be resolved.
std::wstring FolderOf(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    const std::size_t slash = full.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
}

// Replaces the disk file at `path` (or makes it) through a temporary file beside it.
std::uint32_t ReplaceDiskFile(const std::wstring& path, const std::string& text) {
    const std::wstring folder = FolderOf(path);
    if (folder.empty())
        return ERROR_BAD_PATHNAME;
    wchar_t temporary[MAX_PATH];
    if (GetTempFileNameW(folder.c_str(), L"zp3", 0, temporary) == 0)
        return GetLastError();
    std::uint32_t error = WriteAndClose(temporary, text, true);
    if (error == 0 &&
        !MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != 0)
        DeleteFileW(temporary);
    return error;
}

// The file's bytes, at most one more than a profile may have; false when it cannot be read.
bool ReadProfileFile(const std::string& path, std::string& text) {
    const File file(_wfopen(Wide(path).c_str(), L"rb"));
    if (!file)
        return false;
    char buffer[4096];
    std::size_t got;
    while (text.size() <= kMaxProfileBytes &&
           (got = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0)
        text.append(buffer, got);
    return std::ferror(file.get()) == 0;
}

}  // namespace

ProfileResult LoadProfileFile(const std::string& path) {
    const std::string shown = ShownPath(path);
    std::string text;
    if (!ReadProfileFile(path, text))
        return {std::nullopt, shown + ": cannot be read"};
    ProfileResult profile = ParseProfile(text);
    if (!profile.setup)
        profile.error = shown + ": " + profile.error;
    return profile;
}

std::uint32_t WriteProfileFile(const std::string& path, const std::string& text) {
    const std::wstring wide = Wide(path);
    if (wide.empty())
        return ERROR_INVALID_NAME;
    return IsDevice(wide) ? WriteAndClose(wide, text, false) : ReplaceDiskFile(wide, text);
}

std::string WriteFailure(const std::string& path, std::uint32_t error) {
    return ShownPath(path) + ": cannot be written (" + SystemReason(error) + ")";
}

}  // namespace settings
