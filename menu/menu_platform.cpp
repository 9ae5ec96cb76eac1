#include "menu/menu_platform.h"

#include <windows.h>

#include "menu/menu_look.h"

namespace {

int QueryVersionCode() {
    WindowsRelease release;
    release.nineXFamily = (GetVersion() & 0x80000000u) != 0;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExW(&info);
#pragma GCC diagnostic pop
    if (!known)
        return release.nineXFamily ? 2 : 1;
    release.major = info.dwMajorVersion;
    release.minor = info.dwMinorVersion;
    return WindowsVersionCode(release);
}

bool QueryClassicTheme() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    char value[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;  // one byte kept for a terminator the value may lack
    DWORD type = 0;
    const bool read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                       &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read && (type == REG_SZ || type == REG_EXPAND_SZ) && IsClassicThemeFile(value);
}
}  // namespace

int MenuPlatform::VersionCode() {
    if (versionCode_ < 0)
        versionCode_ = QueryVersionCode();
    return versionCode_;
}

bool MenuPlatform::ClassicTheme() {
    if (classicTheme_ < 0)
        classicTheme_ = QueryClassicTheme() ? 1 : 0;
    return classicTheme_ == 1;
}

std::u16string MenuPlatform::LowerCase(std::u16string text) {
    if (!text.empty())
        CharLowerBuffW(reinterpret_cast<wchar_t*>(&text[0]), static_cast<DWORD>(text.size()));
    return text;
}

fw::Seam<MenuPlatform>& MenuPlatformSeam() {
    static MenuPlatform system;
    static fw::Seam<MenuPlatform> seam(system);
    return seam;
}

MenuPlatform& CurrentMenuPlatform() {
    return MenuPlatformSeam().Current();
}
