// Files in the system's temporary folder for tests, at any path length: the folder is taken
// at the length the system asks for, and the file calls get the \\?\ form of the path.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The temporary folder's path with `name` after it.
std::wstring TempPath(const std::wstring& name);
// `path` (a full path) as the file calls take it at any length.
std::wstring AnyLengthForm(const std::wstring& path);
// The bytes of a file; none when it cannot be read.
std::string FileText(const std::wstring& path);
// Writes `bytes` as the whole file.
void PutFile(const std::wstring& path, const std::string& bytes);

// A file in the temporary folder that is gone when the object ends, with any folders made for
// it. Not copied: it owns what it made.
class TempFile {
public:
    // `name` in the temporary folder, with no file there yet.
    explicit TempFile(const std::wstring& name);
    // The same file holding `bytes`.
    TempFile(const std::wstring& name, const std::string& bytes);
    // A path of exactly `length` characters (well over the temporary folder's own), in folders
    // made for it under the temporary folder, with no file there yet.
    explicit TempFile(std::size_t length);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The path as UTF-8, as zp350cli takes its arguments.
    std::string Utf8Path() const;

    std::wstring path;

private:
    std::vector<std::wstring> folders_;
};
