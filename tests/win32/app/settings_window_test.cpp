// The settings window, driven through its real controls (its icon shows in the screenshots).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/settings_dialog.h"
#include "canvas.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "settings/ui_text.h"
#include "ui_helpers.h"

namespace {

// clang-format off
const int kForm[] = {IDC_CR_PACKET, IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3, 0,
    IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3, 0,
    IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT, 0,
    IDC_ALLOW_PAIR2, IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT, 0};
// clang-format on

class SettingsWindow : public testing::Test {
protected:
    void SetUp() override {
        UiLanguage = kChinese;  // the constructor must put English back
        dialog_ = std::make_unique<SettingsDialog>();
        hwnd = dialog_->Create();
        ASSERT_NE(hwnd, nullptr);
        PumpMessages();
    }
    // Each group: X checked, o open, . greyed, # greyed and checked; then the sentinel texts.
    std::wstring Form() {
        std::wstring form;
        for (int id : kForm)
            form += id == 0 ? L' '
                            : L".o#X"[2 * IsItemChecked(hwnd, id) +
                                      !!IsWindowEnabled(GetDlgItem(hwnd, id))];
        for (int id : {IDC_TRACK1_START, IDC_TRACK1_END, IDC_TRACK2_START, IDC_TRACK2_END,
                       IDC_TRACK3_START, IDC_TRACK3_END})
            form += ItemText(hwnd, id);
        return form;
    }
    int Red(int id) {  // pixels of pure red a control paints
        RECT rect;
        GetClientRect(GetDlgItem(hwnd, id), &rect);
        Canvas canvas(rect.right, rect.bottom, RGB(255, 255, 255));
        SendDlgItemMessageW(hwnd, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                            PRF_CLIENT | PRF_ERASEBKGND);
        return canvas.Count(RGB(255, 0, 0));
    }

    RecordingPrompts prompts;
    std::unique_ptr<SettingsDialog> dialog_;
    HWND hwnd = nullptr;
};

TEST_F(SettingsWindow, ClicksKeepTheFormRulesRestoreDefaultsKeepsThePairs) {
    SetDlgItemTextW(hwnd, IDC_TRACK1_START, L"A");
    SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"x");
    const std::pair<int, const wchar_t*> steps[] = {
        {0, L"X... XXX o.... o.... A?;+?"},
        {IDC_CR_PACKET, L"oooo XXX o.... o.... A?;+?"},  // Packet -> Free
        {IDC_CR_TRACK1, L".Xoo XXX o.... o.... A?;+?"},  // Free -> Per-track
        {IDC_CR_TRACK3, L".XoX XXX o.... o.... A?;+?"},
        {IDC_CR_TRACK1, L".ooX XXX o.... o.... A?;+?"},  // one still checked
        {IDC_CR_TRACK3, L"oooo XXX o.... o.... A?;+?"},  // none checked: Free
        {IDC_CR_TRACK2, L".oXo XXX o.... o.... A?;+?"},
        {IDC_OUTPUT_TRACK1, L".oXo oXX o.... o.... A?;+?"},
        {IDC_ALLOW_PAIR2, L".oXo oXX o.... Xoooo A?;+?"},
        {IDC_RESTORE_DEFAULTS, L"X... XXX o.... Xoooo %?;?+?"},  // from Per-track
        {IDC_ALLOW_PAIR1, L"X... XXX Xoooo Xoooo %?;?+?"},
        {IDC_ALLOW_PAIR2, L"X... XXX Xoooo o.... %?;?+?"},
    };
    for (const auto& [click, form] : steps) {
        if (click)
            Click(hwnd, click);
        EXPECT_EQ(Form(), form) << click;
    }
    EXPECT_TRUE(ItemText(hwnd, IDC_PAIR2_CHAR) == L"x" && prompts.boxes.empty());  // kept
}

// It starts in English (the constructor puts it back); a language leaves the status line alone.
TEST_F(SettingsWindow, LabelsPaintRedAPlainCaptionDoesNotALanguageKeepsTheStatusLine) {
    std::wstring seen = WindowText(hwnd) + L"|";  // r: paints red (fonts: in the screenshots)
    SetDlgItemTextW(hwnd, IDC_STATUS, L"Detect device OK,ver100");
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1, IDC_USAGE_LINE2, IDC_CR_NOTICE,
                   IDC_STATUS_CAPTION})  // the last: a caption that is no label
        seen += Red(id) > 20 ? L'r' : L'-';
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(seen + L"|" + WindowText(hwnd) + L"|" + ItemText(hwnd, IDC_STATUS),
              L"ZP series demo|rrrrr-|ZP系列设置程序|Detect device OK,ver100");
    TextLabel label;
    ASSERT_TRUE(label.Subclass(GetDlgItem(hwnd, IDC_STATUS_CAPTION)));
    label.SetLabelBold(TRUE).SetLabelBold(FALSE);  // normal weight, not the default font's
    label.SetLabelFace("An overlong face name that does not fit the field");
    EXPECT_TRUE(label.fontDescription().lfWeight == FW_NORMAL &&
                strlen(label.fontDescription().lfFaceName) == LF_FACESIZE - 1);
    DestroyWindow(label.hwnd());  // a label lives as long as its control
}

std::wstring g_about;

TEST_F(SettingsWindow, SystemMenuEndsWithTheAboutEntryWhoseGroupOpensTheAboutBox) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    wchar_t text[64] = {};
    GetMenuStringW(menu, last, text, 64, MF_BYPOSITION);
    std::wstring seen = text + std::to_wstring(GetMenuItemID(menu, last)) +
                        (GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR ? L"" : L"?");
    RunSoon([] {
        g_about = WindowText(GetActiveWindow());
        PostMessageW(GetActiveWindow(), WM_COMMAND, IDOK, 0);
    });
    SendMessageW(hwnd, WM_SYSCOMMAND, 0x1F, 0);  // the system's low four bits are left out
    EXPECT_EQ(seen + L"|" + g_about,
              L"关于ZP350(&A)..." + std::to_wstring(IDM_ABOUTBOX) + L"|关于 ZP350");
}

TEST(SettingsWindowModal, EnterInAnEditEndsWithOkCloseWithCancel) {
    RecordingPrompts prompts;
    // clang-format off
    const std::pair<void (*)(), INT_PTR> cases[] = {
        {[] { PostMessageW(GetDlgItem(GetActiveWindow(), IDC_TRACK2_START), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {[] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); }, IDCANCEL}};
    // clang-format on
    for (const auto& [action, result] : cases) {
        SettingsDialog dialog;
        RunSoon(action);
        EXPECT_EQ(dialog.DoModal(), result);
    }
}

}  // namespace
