// Which of the two looks the menu takes, from the Windows version and the theme.
#pragma once

#include <string>

// The running Windows as the version query reports it.
struct WindowsRelease {
    bool nineXFamily = false;  // the top bit of GetVersion
    unsigned major = 0;
    unsigned minor = 0;
};

// 0 Win32s; 1 NT 3.x and everything from 5.2 on; 2 Windows 95; 3 Windows 98; 4 Windows Me;
// 5 NT 4; 6 Windows 2000; 7 Windows XP.
int WindowsVersionCode(const WindowsRelease& release);

// The settings of the looks; nothing changes them while the program runs.
constexpr int kFlatStyleWhenThemed = 1;
constexpr int kFlatStyleOtherwise = 0;
constexpr bool kRaisedImages = true;
constexpr bool kFlatSelectsDisabled = false;

constexpr int kWindowsXpCode = 7;
// Raised and sunken 3D edges exist from this code on.
constexpr int kEdgesFromCode = 2;

bool IsThemedXp(int versionCode, bool classicTheme);
bool UsesFlatStyle(int versionCode, bool classicTheme);

// Whether the current theme's file name (the registry's value) is the classic theme.
bool IsClassicThemeFile(const std::string& file);
