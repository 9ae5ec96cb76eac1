// The About box, opened from the settings window's system menu. It speaks the window's
// language, as the system menu's entry that opens it does.
#pragma once

#include "framework/caption_fit.h"
#include "framework/dialog.h"
#include "res/resource.h"

// The texts of the About box and of its system-menu entry in one language.
struct AboutTexts {
    const wchar_t* entry;    // the system menu's entry
    const wchar_t* caption;  // the box's title
    const wchar_t* line;     // its second line, under the product's name
    const wchar_t* ok;       // its button
};
inline const AboutTexts& AboutTextsIn(bool english) {
    static const AboutTexts inEnglish = {L"&About ZP350...", L"About ZP350",
                                         L"Card reader setup program, version 1.0", L"OK"};
    static const AboutTexts inChinese = {L"关于ZP350(&A)...", L"关于 ZP350",
                                         L"磁卡读卡器设置程序 1.0 版", L"确定"};
    return english ? inEnglish : inChinese;
}

class AboutDialog : public fw::Dialog {
public:
    explicit AboutDialog(HWND parent = nullptr, bool english = true)
        : fw::Dialog(IDD_ABOUTBOX, parent), english_(english) {}

protected:
    BOOL OnInitDialog() override {
        const AboutTexts& texts = AboutTextsIn(english_);
        SetWindowTextW(hwnd(), texts.caption);
        SetDlgItemTextW(hwnd(), IDC_ABOUT_LINE, texts.line);
        SetDlgItemTextW(hwnd(), IDOK, texts.ok);
        const BOOL result = fw::Dialog::OnInitDialog();
        fw::FitCaptions(hwnd());  // the English line is the longer one
        return result;
    }

private:
    bool english_;
};
