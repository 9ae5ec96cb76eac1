#include "swipe/dialog_texts.h"

#include "settings/ui_text.h"

namespace swipe {

const wchar_t* SwipeTestEntry(bool english) {
    return Pick(english, L"Swipe test...", L"刷卡测试...");
}

const wchar_t* SwipeTestTitle(bool english) {
    return Pick(english, L"Swipe test", L"刷卡测试");
}

const wchar_t* ShowFullNumbersText(bool english) {
    return Pick(english, L"Show full numbers", L"显示完整卡号");
}

const wchar_t* ClearText(bool english) {
    return Pick(english, L"Clear", L"清除");
}

const wchar_t* CloseText(bool english) {
    return Pick(english, L"Close", L"关闭");
}

const wchar_t* CaptureName(bool english) {
    return Pick(english, L"What the reader typed", L"读卡器输出的内容");
}

const wchar_t* ResultName(bool english) {
    return Pick(english, L"What the check found", L"检查结果");
}

std::wstring FormNote(const settings::Setup& form, bool english) {
    std::wstring pairs;
    for (int i = 0; i < 2; ++i) {
        const reader::ReplaceSettings& replace = form.replace;
        if (!replace.enabled[i] || !replace.original[i] || !replace.replacement[i])
            continue;
        pairs += pairs.empty() ? L"" : L", ";
        pairs += static_cast<wchar_t>(*replace.original[i]);
        pairs += L"\u2192";
        pairs += static_cast<wchar_t>(*replace.replacement[i]);
    }
    if (pairs.empty())
        pairs = Pick(english, L"none enabled", L"未启用");
    return Pick(english,
                L"Swipe a card: what the reader types is checked against the settings "
                L"window's form as it stands. Replacement pairs: ",
                L"请刷卡：读卡器输入的内容将按设置窗口中当前的格式检查。替换字符：") +
           pairs + Pick(english, L".", L"。");
}

}  // namespace swipe
