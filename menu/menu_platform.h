// What the menu asks of the system: the Windows version code and whether the classic theme
// is in use, which choose its look, and the lower case of the letters its mnemonics match.
// Tests put their own answers in its place.
#pragma once

#include <string>

#include "framework/seam.h"

class MenuPlatform {
public:
    virtual ~MenuPlatform() = default;
    // The code of the running Windows (menu/menu_look.h), asked once.
    virtual int VersionCode();
    // Whether the current theme is the classic one, read once from the registry; any
    // failure counts as not classic.
    virtual bool ClassicTheme();
    // `text` lower-cased by the system's own mapping of the user's letters, one UTF-16 unit
    // for one (CharLowerBuffW).
    virtual std::u16string LowerCase(std::u16string text);

private:
    int versionCode_ = -1;
    int classicTheme_ = -1;
};

// The system's answers unless a substitute is installed (framework/seam.h).
fw::Seam<MenuPlatform>& MenuPlatformSeam();
// The seam in use.
MenuPlatform& CurrentMenuPlatform();
