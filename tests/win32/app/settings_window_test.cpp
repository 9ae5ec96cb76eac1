// The settings window, driven through its real controls: its start, languages, form rules,
// red labels, system menu and the keys that end it when it runs modally.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/settings_dialog.h"
#include "app/ui_text.h"
#include "canvas.h"
#include "framework/gdi.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

const int kTrackCr[] = {IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3};
const int kSentinels[] = {IDC_TRACK1_START, IDC_TRACK1_END,   IDC_TRACK2_START,
                          IDC_TRACK2_END,   IDC_TRACK3_START, IDC_TRACK3_END};
const int kPair1[] = {IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR,
                      IDC_PAIR1_REPLACEMENT};
const int kPair2[] = {IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR,
                      IDC_PAIR2_REPLACEMENT};

class SettingsWindow : public testing::Test {
protected:
    void SetUp() override {
        UiLanguage = kChinese;  // the constructor must put English back
        dialog_ = std::make_unique<SettingsDialog>();
        hwnd = dialog_->Create();
        ASSERT_NE(hwnd, nullptr);
        PumpMessages();
    }
    void ExpectDefaultFormat() {
        EXPECT_TRUE(IsItemChecked(hwnd, IDC_CR_PACKET) && IsItemEnabled(hwnd, IDC_CR_PACKET));
        for (int id : kTrackCr)
            EXPECT_FALSE(IsItemChecked(hwnd, id) || IsItemEnabled(hwnd, id)) << id;
        for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3})
            EXPECT_TRUE(IsItemChecked(hwnd, id) && IsItemEnabled(hwnd, id)) << id;
        std::wstring sentinels;
        for (int id : kSentinels)
            sentinels += ItemText(hwnd, id);
        EXPECT_EQ(sentinels, L"%?;?+?");
    }
    void ExpectEnabled(const int (&ids)[4], bool enabled) {
        for (int id : ids)
            EXPECT_EQ(IsItemEnabled(hwnd, id), enabled) << id;
    }
    // Counts the pixels of roughly pure red and of dark text a control paints.
    std::pair<int, int> RedAndDark(int id) {
        HWND control = GetDlgItem(hwnd, id);
        RECT rect;
        GetClientRect(control, &rect);
        Canvas canvas(rect.right, rect.bottom, RGB(255, 255, 255));
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        int red = 0, dark = 0;
        for (int y = 0; y < rect.bottom; ++y)
            for (int x = 0; x < rect.right; ++x) {
                const COLORREF p = canvas.Pixel(x, y);
                red += GetRValue(p) > 180 && GetGValue(p) < 80 && GetBValue(p) < 80;
                dark += GetRValue(p) < 60 && GetGValue(p) < 60 && GetBValue(p) < 60;
            }
        return {red, dark};
    }

    RecordingPrompts prompts;
    std::unique_ptr<SettingsDialog> dialog_;
    HWND hwnd = nullptr;
};

TEST_F(SettingsWindow, OpensInEnglishWithTheDefaultForm) {
    EXPECT_EQ(UiLanguage, kEnglish);
    EXPECT_EQ(WindowText(hwnd), L"ZP series demo");
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_RADIO_ENGLISH) && !IsItemChecked(hwnd, IDC_RADIO_CHINESE));
    ExpectDefaultFormat();
    EXPECT_FALSE(IsItemChecked(hwnd, IDC_ALLOW_PAIR1) || IsItemChecked(hwnd, IDC_ALLOW_PAIR2));
    ExpectEnabled(kPair1, false);
    ExpectEnabled(kPair2, false);
    for (int id : {IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT, IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT,
                   IDC_TRACK1_START, IDC_TRACK1_END, IDC_TRACK2_START, IDC_TRACK2_END,
                   IDC_TRACK3_START, IDC_TRACK3_END})
        EXPECT_EQ(SendDlgItemMessageW(hwnd, id, EM_GETLIMITTEXT, 0, 0), 1) << id;
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"");
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(dialog_->icon()));
    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(dialog_->icon()));
}

TEST_F(SettingsWindow, LanguageRadiosSwitchTheCaptionsButTheStatusLineKeepsItsText) {
    const struct {
        int radio;
        const wchar_t *title, *find, *track3, *status;
    } steps[] = {
        {IDC_RADIO_CHINESE, L"ZP系列设置程序", L"查找设备", L"三轨数据结束时带回车(CR)",
         L"No device connected!"},
        {IDC_RADIO_CHINESE, L"ZP系列设置程序", L"查找设备", L"三轨数据结束时带回车(CR)",
         L"No device connected!"},
        {IDC_RADIO_ENGLISH, L"ZP series demo", L"Find Device",
         L"Output (CR) flag at the end of Track 3", L"No device connected!"},
    };
    Click(hwnd, IDC_DISCONNECT);
    for (const auto& step : steps) {
        Click(hwnd, step.radio);
        EXPECT_EQ(UiLanguage, step.radio == IDC_RADIO_ENGLISH ? kEnglish : kChinese);
        EXPECT_EQ(WindowText(hwnd), step.title);
        EXPECT_EQ(ItemText(hwnd, IDC_FIND_DEVICE), step.find);
        EXPECT_EQ(ItemText(hwnd, IDC_CR_TRACK3), step.track3);
        EXPECT_EQ(ItemText(hwnd, IDC_STATUS), step.status);
    }
    Click(hwnd, IDC_RADIO_CHINESE);
    Click(hwnd, IDC_SET_DEVICE);  // a command without a reader
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"设备尚未连接!");
    Click(hwnd, IDC_DISCONNECT);  // disconnect without a reader says it differently
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"设备未连接!");
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsWindow, CarriageReturnBoxesStayExclusiveAndAllowBoxesGreyTheirPair) {
    Click(hwnd, IDC_CR_PACKET);  // Packet -> Free
    EXPECT_TRUE(!IsItemChecked(hwnd, IDC_CR_PACKET) && IsItemEnabled(hwnd, IDC_CR_PACKET));
    for (int id : kTrackCr)
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
    const std::pair<int, bool> clicks[] = {{IDC_CR_TRACK1, false},  // Free -> Per-track
                                           {IDC_CR_TRACK3, false},
                                           {IDC_CR_TRACK1, false},  // one still checked
                                           {IDC_CR_TRACK3, true}};  // none checked: Free
    for (const auto& [id, packetEnabled] : clicks) {
        Click(hwnd, id);
        EXPECT_EQ(IsItemEnabled(hwnd, IDC_CR_PACKET), packetEnabled) << id;
    }
    Click(hwnd, IDC_CR_PACKET);  // Free -> Packet
    ExpectDefaultFormat();

    Click(hwnd, IDC_ALLOW_PAIR1);
    ExpectEnabled(kPair1, true);
    ExpectEnabled(kPair2, false);
    SetDlgItemTextW(hwnd, IDC_PAIR1_CHAR, L"a");
    Click(hwnd, IDC_ALLOW_PAIR1);
    ExpectEnabled(kPair1, false);
    Click(hwnd, IDC_ALLOW_PAIR1);
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR1_CHAR), L"a");  // the characters are kept
    Click(hwnd, IDC_ALLOW_PAIR2);
    ExpectEnabled(kPair2, true);
}

TEST_F(SettingsWindow, RestoreDefaultsFromEveryCrStateLeavesTheReplacementAlone) {
    Click(hwnd, IDC_CR_PACKET);  // Per-track, with edited sentinels and a checked allow pair
    Click(hwnd, IDC_CR_TRACK2);
    SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
    SetDlgItemTextW(hwnd, IDC_TRACK1_START, L"A");
    Click(hwnd, IDC_OUTPUT_TRACK1);
    Click(hwnd, IDC_ALLOW_PAIR2);
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"x");
    Click(hwnd, IDC_RESTORE_DEFAULTS);
    ExpectDefaultFormat();
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR2) && IsItemEnabled(hwnd, IDC_PAIR2_CHAR));
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR2_CHAR), L"x");
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"No device connected!");
    Click(hwnd, IDC_CR_PACKET);  // Free
    Click(hwnd, IDC_RESTORE_DEFAULTS);
    ExpectDefaultFormat();
    Click(hwnd, IDC_RESTORE_DEFAULTS);  // Packet
    ExpectDefaultFormat();
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsWindow, LabelsPaintRedInTheirFontsAndAPlainCaptionDoesNot) {
    SetDlgItemTextW(hwnd, IDC_STATUS, L"Detect device OK,ver100");
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1, IDC_USAGE_LINE2, IDC_CR_NOTICE})
        EXPECT_GT(RedAndDark(id).first, 20) << id;
    Click(hwnd, IDC_RADIO_CHINESE);
    SetDlgItemTextW(hwnd, IDC_STATUS, L"设备已连接,ver100");
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1})
        EXPECT_GT(RedAndDark(id).first, 20) << id;
    for (int i = 0; i < SettingsDialog::kLabelCount; ++i) {  // bold: status line, usage frame
        LOGFONTW font{};
        GetObjectW(
            reinterpret_cast<HFONT>(SendMessageW(dialog_->label(i).hwnd(), WM_GETFONT, 0, 0)),
            sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, -12) << i;
        EXPECT_EQ(font.lfWeight >= FW_BOLD, i < 2) << i;
    }
    // A caption that is no label paints no red; bound with no setter it stays so.
    EXPECT_EQ(RedAndDark(IDC_STATUS_CAPTION).first, 0);
    TextLabel label;
    ASSERT_TRUE(label.Subclass(GetDlgItem(hwnd, IDC_STATUS_CAPTION)));
    const auto [red, dark] = RedAndDark(IDC_STATUS_CAPTION);
    EXPECT_TRUE(red == 0 && dark > 5) << red << " " << dark;
    label.SetLabelBold(TRUE).SetLabelBold(FALSE);  // normal weight, not the default font's
    EXPECT_EQ(label.fontDescription().lfWeight, FW_NORMAL);
    label.SetLabelFace("An overlong face name that does not fit the field");
    EXPECT_EQ(strlen(label.fontDescription().lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
    DestroyWindow(label.hwnd());  // a label lives as long as its control
}

HWND g_about = nullptr;
void CloseAboutBox() {
    wchar_t title[64] = {};
    GetWindowTextW(GetActiveWindow(), title, 64);
    g_about = wcscmp(title, L"关于 ZP350") == 0 ? GetActiveWindow() : nullptr;
    PostMessageW(GetActiveWindow(), WM_COMMAND, IDOK, 0);
}

TEST_F(SettingsWindow, SystemMenuEndsWithTheAboutEntryWhoseGroupOpensTheAboutBox) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t text[64] = {};
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"关于ZP350(&A)...");
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, count - 2, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    for (WPARAM command : {0x10, 0x15, 0x1A, 0x1F}) {
        g_about = nullptr;
        RunSoon(&CloseAboutBox);
        SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
        EXPECT_NE(g_about, nullptr) << "command " << command;
    }
}

TEST(SettingsWindowModal, EnterInAnEditEndsWithOkEscapeAndCloseWithCancel) {
    RecordingPrompts prompts;
    const std::pair<void (*)(), INT_PTR> cases[] = {
        {[] {
             HWND edit = GetDlgItem(GetActiveWindow(), IDC_TRACK2_START);
             SetFocus(edit);
             PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
             PostMessageW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
         },
         IDOK},
        {[] {
             PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
             PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
         },
         IDCANCEL},
        {[] { PostMessageW(GetActiveWindow(), WM_CLOSE, 0, 0); }, IDCANCEL},
    };
    for (const auto& [action, result] : cases) {
        SettingsDialog dialog;
        RunSoon(action);
        EXPECT_EQ(dialog.DoModal(), result);
    }
}

}  // namespace
