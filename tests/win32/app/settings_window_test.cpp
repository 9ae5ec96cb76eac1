// The settings window, driven through its real controls (its icon shows in the screenshots).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "framework/caption_fit.h"
#include "res/resource.h"
#include "settings_form.h"
#include "settings/ui_text.h"
#include "settings_window.h"
#include "ui_helpers.h"

namespace {

struct SettingsWindow : SettingsWindowTest {
    std::wstring Form() { return FormPicture(hwnd); }
    int Red(int id) {  // pixels of pure red a control paints
        RECT rect;
        GetClientRect(GetDlgItem(hwnd, id), &rect);
        Canvas canvas(rect.right, rect.bottom, RGB(255, 255, 255));
        SendDlgItemMessageW(hwnd, id, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                            PRF_CLIENT | PRF_ERASEBKGND);
        return canvas.Count(RGB(255, 0, 0));
    }
};

TEST_F(SettingsWindow, ClicksKeepTheFormRulesRestoreDefaultsKeepsThePairs) {
    SetDlgItemTextW(hwnd, IDC_TRACK1_START, L"A");
    SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"x");
    const struct {
        const char* name;
        int click;
        const wchar_t* form;
    } steps[] = {
        {"at first", 0, L"X... XXX o.... o.... A?;+?"},
        {"packet off: free", IDC_CR_PACKET, L"oooo XXX o.... o.... A?;+?"},
        {"track 1: per track", IDC_CR_TRACK1, L".Xoo XXX o.... o.... A?;+?"},
        {"track 3", IDC_CR_TRACK3, L".XoX XXX o.... o.... A?;+?"},
        {"track 1 off: one still checked", IDC_CR_TRACK1, L".ooX XXX o.... o.... A?;+?"},
        {"track 3 off: none checked, free", IDC_CR_TRACK3, L"oooo XXX o.... o.... A?;+?"},
        {"track 2", IDC_CR_TRACK2, L".oXo XXX o.... o.... A?;+?"},
        {"output 1 off", IDC_OUTPUT_TRACK1, L".oXo oXX o.... o.... A?;+?"},
        {"pair 2 on", IDC_ALLOW_PAIR2, L".oXo oXX o.... Xoooo A?;+?"},
        {"defaults from per track", IDC_RESTORE_DEFAULTS, L"X... XXX o.... Xoooo %?;?+?"},
        {"pair 1 on", IDC_ALLOW_PAIR1, L"X... XXX Xoooo Xoooo %?;?+?"},
        {"pair 2 off", IDC_ALLOW_PAIR2, L"X... XXX Xoooo o.... %?;?+?"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.click)
            Click(hwnd, step.click);
        EXPECT_EQ(Form(), step.form);
    }
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR2_CHAR), L"x");  // kept
    EXPECT_TRUE(prompts.boxes.empty());
}

// It starts in English (the constructor puts it back); a language leaves the status line alone.
TEST_F(SettingsWindow, LabelsPaintRedAPlainCaptionDoesNotALanguageKeepsTheStatusLine) {
    EXPECT_EQ(WindowText(hwnd), L"ZP series demo");
    UiLanguage = kChinese;  // a window made after a Chinese one starts in English all the same
    EXPECT_EQ(WindowText(Open(second)), L"ZP series demo");
    SetDlgItemTextW(hwnd, IDC_STATUS, L"Detect device OK,ver100");
    // Labels paint red (their fonts show in the screenshots).
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1, IDC_USAGE_LINE2, IDC_CR_NOTICE})
        EXPECT_GT(Red(id), 20) << "control " << id;
    EXPECT_LE(Red(IDC_STATUS_CAPTION), 20);  // a caption that is no label
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(WindowText(hwnd), L"ZP系列设置程序");
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"Detect device OK,ver100");
    TextLabel label;
    ASSERT_TRUE(label.Subclass(GetDlgItem(hwnd, IDC_STATUS_CAPTION)));
    label.SetLabelBold(TRUE).SetLabelBold(FALSE);  // normal weight, not the default font's
    label.SetLabelFace("An overlong face name that does not fit the field");
    EXPECT_EQ(label.fontDescription().lfWeight, FW_NORMAL);
    EXPECT_EQ(strlen(label.fontDescription().lfFaceName), LF_FACESIZE - 1u);
    DestroyWindow(label.hwnd());  // a label lives as long as its control
}

// The About entry and its box speak the window's language: English first, Chinese after the
// Chinese button, English again after the English one.
TEST_F(SettingsWindow, SystemMenuEndsWithTheAboutEntryWhoseGroupOpensTheAboutBox) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int last = GetMenuItemCount(menu) - 1;
    EXPECT_EQ(GetMenuItemID(menu, last), UINT{IDM_ABOUTBOX});
    EXPECT_TRUE(GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
    const struct {
        int radio;
        const wchar_t* entry;
        std::wstring caption, line, ok;
    } cases[] = {
        {0, L"&About ZP350...", L"About ZP350", L"Card reader setup program, version 1.0", L"OK"},
        {IDC_RADIO_CHINESE, L"关于ZP350(&A)...", L"关于 ZP350", L"磁卡读卡器设置程序 1.0 版",
         L"确定"},
        {IDC_RADIO_ENGLISH, L"&About ZP350...", L"About ZP350",
         L"Card reader setup program, version 1.0", L"OK"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "after radio " << c.radio);
        if (c.radio != 0)
            Click(hwnd, c.radio);
        wchar_t text[64] = {};
        GetMenuStringW(menu, last, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, c.entry);
        std::wstring caption, line, ok;
        long lineWidth = 0;
        long lineNeeds = 0;
        RunSoon([&] {
            HWND box = GetActiveWindow();
            caption = WindowText(box);
            line = ItemText(box, IDC_ABOUT_LINE);
            RECT rect{};
            GetWindowRect(GetDlgItem(box, IDC_ABOUT_LINE), &rect);
            lineWidth = rect.right - rect.left;
            lineNeeds = fw::NeededWidth(GetDlgItem(box, IDC_ABOUT_LINE));
            ok = ItemText(box, IDOK);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        SendMessageW(hwnd, WM_SYSCOMMAND, 0x1F, 0);  // the system's low four bits are left out
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(line, c.line);
        EXPECT_LE(lineNeeds, lineWidth);  // whole
        EXPECT_GT(lineNeeds, 0);
        EXPECT_EQ(ok, c.ok);
    }
}

TEST(SettingsWindowModal, EnterInAnEditEndsWithOkCloseWithCancel) {
    RecordingPrompts prompts;
    const struct {
        const char* name;
        void (*action)();
        INT_PTR result;
    } cases[] = {
        {"Enter in an edit",
         [] {
             HWND edit = GetDlgItem(GetActiveWindow(), IDC_TRACK2_START);
             PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
         },
         IDOK},
        {"close", [] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsDialog dialog;
        RunSoon(c.action);
        EXPECT_EQ(dialog.DoModal(), c.result);
    }
}

}  // namespace
