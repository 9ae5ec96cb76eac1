#include "watch/installed_profile.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include "framework/late_bound.h"
#include "settings/profile.h"
#include "settings/profile_file.h"
#include "settings/system_reason.h"
#include "settings/utf8.h"

namespace watch {

namespace {

// The shell is bound on first use (framework/late_bound.h): the companion, which tells the
// installed profile's path in `watch --status`, imports no shell.
std::wstring CommonAppData() {
    wchar_t folder[MAX_PATH] = {};
    auto* const get = LATE_BOUND(L"shell32.dll", SHGetFolderPathW);
    if (get == nullptr ||
        FAILED(get(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return L"C:\\ProgramData";
    return folder;
}

std::wstring FolderW() {
    return CommonAppData() + L"\\ZP350";
}

// Makes the folder if it is not there and gives it its security, whoever made it.
std::optional<std::string> MakeFolder() {
    const std::wstring folder = FolderW();
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return InstalledProfileFolder() + ": cannot be made (" +
               settings::SystemReason(GetLastError()) + ")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
            kProfileFolderSecurity, SDDL_REVISION_1, &descriptor, nullptr))
        return "the folder's security cannot be read (" + settings::SystemReason(GetLastError()) +
               ")";
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    const DWORD set =
        SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                              DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, dacl, nullptr);
    LocalFree(descriptor);
    if (set != ERROR_SUCCESS)
        return InstalledProfileFolder() + ": its security cannot be set (" +
               settings::SystemReason(set) + ")";
    return std::nullopt;
}

}  // namespace

std::string InstalledProfileFolder() {
    return settings::Utf8(FolderW());
}

std::string InstalledProfilePath() {
    return settings::Utf8(FolderW() + L"\\profile.zp350");
}

std::optional<std::string> InstallProfile(const std::string& source) {
    const settings::ProfileResult profile = settings::LoadProfileFile(source);
    if (!profile.setup)
        return profile.error;
    if (auto failed = MakeFolder())
        return failed;
    const std::string target = InstalledProfilePath();
    if (const settings::WriteResult failed =
            settings::WriteProfileFile(target, settings::WriteProfile(*profile.setup)))
        return settings::WriteFailure(target, failed);
    return std::nullopt;
}

bool RemoveInstalledProfile() {
    const std::wstring file = settings::Wide(InstalledProfilePath());
    DeleteFileW(file.c_str());
    RemoveDirectoryW(FolderW().c_str());
    return GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace watch
