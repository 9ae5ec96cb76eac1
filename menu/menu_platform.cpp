#include "menu/menu_platform.h"

#include <windows.h>

#include <string>

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

// The current theme's file, as long as the value is; empty when it cannot be read.
std::string CurrentThemeFile(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    std::string value(size + 1, '\0');  // one byte more for a terminator the value may lack
    if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &size) !=
            ERROR_SUCCESS ||
        size >= value.size())
        return {};
    value.resize(size);
    return value.substr(0, value.find('\0'));
}

bool QueryClassicTheme() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    const std::string file = CurrentThemeFile(key);
    RegCloseKey(key);
    return IsClassicThemeFile(file);
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
