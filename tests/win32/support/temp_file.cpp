#include "temp_file.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "settings/utf8.h"

std::wstring TempPath(const std::wstring& name) {
    std::wstring folder(GetTempPathW(0, nullptr), L'\0');  // the size with its zero
    folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
    return folder + name;
}

std::wstring AnyLengthForm(const std::wstring& path) {
    return L"\\\\?\\" + path;
}

std::string FileText(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(AnyLengthForm(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void PutFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(AnyLengthForm(path)), std::ios::binary) << bytes;
}

TempFile::TempFile(const std::wstring& name) : path(TempPath(name)) {
    DeleteFileW(AnyLengthForm(path).c_str());
}

TempFile::TempFile(const std::wstring& name, const std::string& bytes) : TempFile(name) {
    PutFile(path, bytes);
}

TempFile::TempFile(std::size_t length) : path(TempPath(L"zp350 long")) {
    while (path.size() + 120 < length) {
        folders_.push_back(path);
        CreateDirectoryW(AnyLengthForm(path).c_str(), nullptr);
        path += L"\\" + std::wstring(100, L'd');
    }
    folders_.push_back(path);
    CreateDirectoryW(AnyLengthForm(path).c_str(), nullptr);
    const std::size_t name = length - path.size() - 1;
    path += L"\\" + std::wstring(name - 6, L't') + L".zp350";
    DeleteFileW(AnyLengthForm(path).c_str());
}

TempFile::~TempFile() {
    DeleteFileW(AnyLengthForm(path).c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        RemoveDirectoryW(AnyLengthForm(*folder).c_str());
}

std::string TempFile::Utf8Path() const {
    return settings::Utf8(path);
}
