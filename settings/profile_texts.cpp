#include "settings/profile_texts.h"

#include "settings/ui_text.h"
#include "settings/utf8.h"

namespace settings {

const wchar_t* LoadProfileEntry(bool english) {
    return Pick(english, L"Load profile...", L"载入配置文件...");
}

const wchar_t* SaveProfileEntry(bool english) {
    return Pick(english, L"Save profile...", L"保存配置文件...");
}

const wchar_t* LoadProfileTitle(bool english) {
    return Pick(english, L"Load profile", L"载入配置文件");
}

const wchar_t* SaveProfileTitle(bool english) {
    return Pick(english, L"Save profile", L"保存配置文件");
}

std::wstring ProfileFilter(bool english) {
    const std::wstring pattern = std::wstring(L"*.") + kProfileExtension;
    std::wstring filter = Pick(english, L"ZP350 profiles", L"ZP350 配置文件");
    filter += L" (" + pattern + L")";
    filter += L'\0' + pattern + L'\0';
    filter += Pick(english, L"All files (*.*)", L"所有文件 (*.*)");
    filter += std::wstring(1, L'\0') + L"*.*" + L'\0';
    return filter;
}

std::wstring LoadRefusedText(const std::wstring& detail, bool english) {
    return Pick(english, L"The profile was not loaded:", L"配置文件未载入：") +
           std::wstring(L"\r\n\r\n") + detail;
}

std::wstring SaveRefusedText(const std::wstring& detail, bool english) {
    return Pick(english, L"The profile was not saved:", L"配置文件未保存：") +
           std::wstring(L"\r\n\r\n") + detail;
}

std::wstring UnshownCharacterDetail(const std::string& choice, bool english) {
    return Wide(choice) + Pick(english,
                               L": its character cannot be shown in the system's code page.",
                               L"：此字符无法在系统代码页中显示。");
}

namespace {
std::wstring FileName(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/:");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::wstring ProfileLoadedText(const std::wstring& path, bool english) {
    return Pick(english, L"Profile loaded: ", L"已载入配置文件：") + FileName(path);
}

std::wstring ProfileSavedText(const std::wstring& path, bool english) {
    return Pick(english, L"Profile saved: ", L"已保存配置文件：") + FileName(path);
}

std::wstring FileDialogFailedText(unsigned long error, bool english) {
    return Pick(english, L"The file dialog could not be opened (error ",
                L"无法打开文件对话框（错误 ") +
           std::to_wstring(error) + Pick(english, L").", L"）。");
}

}  // namespace settings
