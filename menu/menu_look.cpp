#include "menu/menu_look.h"

#include <cctype>

namespace {
int NineXCode(const WindowsRelease& release) {
    if (release.major < 4)
        return 0;
    if (release.major == 4 && release.minor == 10)
        return 3;
    if (release.major == 4 && release.minor == 90)
        return 4;
    return 2;
}

int NtCode(const WindowsRelease& release) {
    if (release.major == 4)
        return 5;
    if (release.major == 5 && release.minor == 0)
        return 6;
    if (release.major == 5 && release.minor == 1)
        return 7;
    return 1;
}
}  // namespace

int WindowsVersionCode(const WindowsRelease& release) {
    return release.nineXFamily ? NineXCode(release) : NtCode(release);
}

bool IsThemedXp(int versionCode, bool classicTheme) {
    return versionCode == kWindowsXpCode && !classicTheme;
}

bool UsesFlatStyle(int versionCode, bool classicTheme) {
    const int setting =
        IsThemedXp(versionCode, classicTheme) ? kFlatStyleWhenThemed : kFlatStyleOtherwise;
    return setting == 1;
}

bool IsClassicThemeFile(const std::string& file) {
    static const std::string kClassic = "windows classic.theme";
    if (file.size() < kClassic.size())
        return false;
    const std::string tail = file.substr(file.size() - kClassic.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != kClassic[i])
            return false;
    }
    return true;
}
