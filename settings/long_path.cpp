#include "settings/long_path.h"

namespace settings {
namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::wstring(prefix).size(), prefix) == 0;
}

}  // namespace

std::wstring LongPathForm(const std::wstring& fullPath) {
    if (fullPath.size() <= kLongestPlainPath || StartsWith(fullPath, L"\\\\?\\") ||
        StartsWith(fullPath, L"\\\\.\\") || StartsWith(fullPath, L"\\??\\"))
        return fullPath;
    if (StartsWith(fullPath, L"\\\\"))  // \\server\share\... : \\?\UNC\server\share\...
        return L"\\\\?\\UNC\\" + fullPath.substr(2);
    return L"\\\\?\\" + fullPath;
}

}  // namespace settings
