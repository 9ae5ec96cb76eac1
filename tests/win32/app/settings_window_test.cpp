// The settings window, driven through its real controls.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/settings_dialog.h"
#include "app/ui_text.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

const int kTrackCr[] = {IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3};

class SettingsWindow : public testing::Test {
protected:
    void SetUp() override {
        UiLanguage = kChinese;  // the constructor must put English back
        dialog_ = std::make_unique<SettingsDialog>();
        hwnd = dialog_->Create();
        ASSERT_NE(hwnd, nullptr);
        PumpMessages();
    }
    void TearDown() override { dialog_.reset(); }

    void ExpectPacketState() {
        EXPECT_TRUE(IsItemChecked(hwnd, IDC_CR_PACKET));
        EXPECT_TRUE(IsItemEnabled(hwnd, IDC_CR_PACKET));
        for (int id : kTrackCr) {
            EXPECT_FALSE(IsItemChecked(hwnd, id)) << id;
            EXPECT_FALSE(IsItemEnabled(hwnd, id)) << id;
        }
    }
    void ExpectDefaultSentinels() {
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK1_START), L"%");
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK1_END), L"?");
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK2_START), L";");
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK2_END), L"?");
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK3_START), L"+");
        EXPECT_EQ(ItemText(hwnd, IDC_TRACK3_END), L"?");
    }

    RecordingPrompts prompts;
    std::unique_ptr<SettingsDialog> dialog_;
    HWND hwnd = nullptr;
};

TEST_F(SettingsWindow, OpensInEnglishWithTheDefaultForm) {
    EXPECT_EQ(UiLanguage, kEnglish);
    EXPECT_EQ(WindowText(hwnd), L"ZP series demo");
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_RADIO_ENGLISH));
    EXPECT_FALSE(IsItemChecked(hwnd, IDC_RADIO_CHINESE));
    ExpectDefaultSentinels();
    for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3}) {
        EXPECT_TRUE(IsItemChecked(hwnd, id));
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
    }
    ExpectPacketState();
    for (int id : {IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2}) {
        EXPECT_FALSE(IsItemChecked(hwnd, id));
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
    }
    for (int id : {IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT, IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT}) {
        EXPECT_EQ(ItemText(hwnd, id), L"");
        EXPECT_FALSE(IsItemEnabled(hwnd, id));
        EXPECT_EQ(SendDlgItemMessageW(hwnd, id, EM_GETLIMITTEXT, 0, 0), 1);
    }
    for (int id : {IDC_TRACK1_START, IDC_TRACK1_END, IDC_TRACK2_START, IDC_TRACK2_END,
                   IDC_TRACK3_START, IDC_TRACK3_END}) {
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
        EXPECT_EQ(SendDlgItemMessageW(hwnd, id, EM_GETLIMITTEXT, 0, 0), 1);
    }
    for (int id : {IDC_PAIR1_CHAR_LABEL, IDC_PAIR2_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL,
                   IDC_PAIR2_REPLACEMENT_LABEL})
        EXPECT_FALSE(IsItemEnabled(hwnd, id));
    for (int id : {IDC_FIND_DEVICE, IDC_DISCONNECT, IDC_SET_DEVICE, IDC_RESTORE_DEFAULTS,
                   IDC_GET_VERSION, IDC_SET_REPLACE, IDC_CANCEL_REPLACE})
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"");
    EXPECT_EQ(ItemText(hwnd, IDC_FIND_DEVICE), L"Find Device");
}

TEST_F(SettingsWindow, LanguageRadiosSwitchEveryCaptionAndTheTitle) {
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(UiLanguage, kChinese);
    EXPECT_EQ(WindowText(hwnd), L"ZP系列设置程序");

    Click(hwnd, IDC_RADIO_CHINESE);  // again: nothing changes
    EXPECT_EQ(UiLanguage, kChinese);
    EXPECT_EQ(ItemText(hwnd, IDC_FIND_DEVICE), L"查找设备");

    Click(hwnd, IDC_RADIO_ENGLISH);
    EXPECT_EQ(UiLanguage, kEnglish);
    EXPECT_EQ(WindowText(hwnd), L"ZP series demo");
    EXPECT_EQ(ItemText(hwnd, IDC_FIND_DEVICE), L"Find Device");
    EXPECT_EQ(ItemText(hwnd, IDC_CR_TRACK3), L"Output (CR) flag at the end of Track 3");
}

TEST_F(SettingsWindow, StatusLineKeepsItsTextAcrossALanguageSwitch) {
    Click(hwnd, IDC_DISCONNECT);
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"No device connected!");
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"No device connected!");
    Click(hwnd, IDC_SET_DEVICE);  // a command without a reader
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"设备尚未连接!");
    Click(hwnd, IDC_DISCONNECT);  // disconnect without a reader says it differently
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"设备未连接!");
    Click(hwnd, IDC_RADIO_ENGLISH);
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"设备未连接!");
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsWindow, CarriageReturnBoxesStayExclusive) {
    ExpectPacketState();
    Click(hwnd, IDC_CR_PACKET);  // Packet -> Free
    EXPECT_FALSE(IsItemChecked(hwnd, IDC_CR_PACKET));
    EXPECT_TRUE(IsItemEnabled(hwnd, IDC_CR_PACKET));
    for (int id : kTrackCr)
        EXPECT_TRUE(IsItemEnabled(hwnd, id));

    Click(hwnd, IDC_CR_TRACK1);  // Free -> Per-track
    Click(hwnd, IDC_CR_TRACK3);
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_CR_TRACK1));
    EXPECT_FALSE(IsItemEnabled(hwnd, IDC_CR_PACKET));
    Click(hwnd, IDC_CR_TRACK1);  // one still checked: stays Per-track
    EXPECT_FALSE(IsItemEnabled(hwnd, IDC_CR_PACKET));
    Click(hwnd, IDC_CR_TRACK3);  // none checked: Free
    EXPECT_TRUE(IsItemEnabled(hwnd, IDC_CR_PACKET));
    for (int id : kTrackCr)
        EXPECT_TRUE(IsItemEnabled(hwnd, id));

    Click(hwnd, IDC_CR_PACKET);  // Free -> Packet
    ExpectPacketState();
}

TEST_F(SettingsWindow, AllowBoxesGreyTheirPairButKeepTheCharacters) {
    Click(hwnd, IDC_ALLOW_PAIR1);
    for (int id :
         {IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT})
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
    EXPECT_FALSE(IsItemEnabled(hwnd, IDC_PAIR2_CHAR));
    SetDlgItemTextW(hwnd, IDC_PAIR1_CHAR, L"a");
    SetDlgItemTextW(hwnd, IDC_PAIR1_REPLACEMENT, L"b");
    Click(hwnd, IDC_ALLOW_PAIR1);
    EXPECT_FALSE(IsItemEnabled(hwnd, IDC_PAIR1_CHAR));
    EXPECT_FALSE(IsItemEnabled(hwnd, IDC_PAIR1_REPLACEMENT_LABEL));
    Click(hwnd, IDC_ALLOW_PAIR1);
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR1_CHAR), L"a");
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR1_REPLACEMENT), L"b");

    Click(hwnd, IDC_ALLOW_PAIR2);
    for (int id :
         {IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT})
        EXPECT_TRUE(IsItemEnabled(hwnd, id));
}

TEST_F(SettingsWindow, RestoreDefaultsFromEveryCrState) {
    // Per-track, with edited sentinels and a checked allow pair.
    Click(hwnd, IDC_CR_PACKET);
    Click(hwnd, IDC_CR_TRACK2);
    SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
    SetDlgItemTextW(hwnd, IDC_TRACK1_START, L"A");
    Click(hwnd, IDC_OUTPUT_TRACK1);
    Click(hwnd, IDC_ALLOW_PAIR2);
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"x");
    Click(hwnd, IDC_RESTORE_DEFAULTS);
    ExpectPacketState();
    ExpectDefaultSentinels();
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_OUTPUT_TRACK1));
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR2));
    EXPECT_TRUE(IsItemEnabled(hwnd, IDC_PAIR2_CHAR));
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR2_CHAR), L"x");
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"No device connected!");
    EXPECT_TRUE(IsItemEnabled(hwnd, IDC_SET_DEVICE));

    Click(hwnd, IDC_CR_PACKET);  // Free
    Click(hwnd, IDC_RESTORE_DEFAULTS);
    ExpectPacketState();
    Click(hwnd, IDC_RESTORE_DEFAULTS);  // Packet
    ExpectPacketState();
    EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(SettingsWindow, SystemMenuEndsWithTheAboutEntry) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    ASSERT_NE(menu, nullptr);
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
}

HWND g_about = nullptr;
void CloseAboutBox() {
    g_about = GetActiveWindow();
    wchar_t title[64] = {};
    GetWindowTextW(g_about, title, 64);
    if (wcscmp(title, L"关于 ZP350") != 0)
        g_about = nullptr;
    PostMessageW(GetActiveWindow(), WM_COMMAND, IDOK, 0);
}

TEST_F(SettingsWindow, AboutBoxOpensForEverySystemCommandOfItsGroup) {
    for (WPARAM command = 0x10; command <= 0x1F; command += 0x5) {
        g_about = nullptr;
        RunSoon(&CloseAboutBox);
        SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
        EXPECT_NE(g_about, nullptr) << "command " << command;
    }
    g_about = nullptr;
    RunSoon(&CloseAboutBox);
    SendMessageW(hwnd, WM_SYSCOMMAND, 0x1F, 0);
    EXPECT_NE(g_about, nullptr);
}

TEST_F(SettingsWindow, DragIconIsTheWindowIcon) {
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYDRAGICON, 0, 0),
              reinterpret_cast<LRESULT>(dialog_->icon()));
    EXPECT_EQ(SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(dialog_->icon()));
}

}  // namespace
