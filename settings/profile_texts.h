// The texts of the settings window's profile entries, in English and Chinese: the system-menu
// entries, the file dialogs and the error boxes.
#pragma once

#include <string>

namespace settings {

// The extension profiles are saved with, and the file name the save dialog suggests.
constexpr wchar_t kProfileExtension[] = L"zp350";
constexpr wchar_t kSuggestedProfileName[] = L"till.zp350";

const wchar_t* LoadProfileEntry(bool english);
const wchar_t* SaveProfileEntry(bool english);
// The titles of the open and save dialogs.
const wchar_t* LoadProfileTitle(bool english);
const wchar_t* SaveProfileTitle(bool english);
// The file dialogs' filter: profiles, then all files, as pairs of zero-terminated strings
// (name, pattern) ended by an empty string.
std::wstring ProfileFilter(bool english);

// The box that says why a profile was not loaded or saved: a line in the interface's
// language, then `detail`.
std::wstring LoadRefusedText(const std::wstring& detail, bool english);
std::wstring SaveRefusedText(const std::wstring& detail, bool english);
// Detail: a character of a profile that the form's boxes cannot show in the system's code
// page; `choice` is the profile's name.
std::wstring UnshownCharacterDetail(const std::string& choice, bool english);
// The status line after a profile was loaded or saved: "Profile loaded: till.zp350",
// "Profile saved: till.zp350", with the file's name from `path`.
std::wstring ProfileLoadedText(const std::wstring& path, bool english);
std::wstring ProfileSavedText(const std::wstring& path, bool english);
// The file dialog could not open; `error` is the dialog's own error number.
std::wstring FileDialogFailedText(unsigned long error, bool english);

}  // namespace settings
