// The swipe test window, opened from the settings window's system menu and typed into with
// SendInput as a reader types: characters, and the Return key for its carriage returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "settings_window.h"
#include "swipe_window.h"
#include "ui_helpers.h"

namespace {

// An invented card: tracks 1 and 2, no track 3, typed with the window's start-up format.
const wchar_t kSwipe[] = L"%B5217000000000008^TEST/CARD^2512101?;5217000000000008=2512101?+?\r";
const wchar_t kMasked[] = L"521700******0008";
const wchar_t kFull[] = L"5217000000000008";

using SwipeTest = SettingsWindowTest;

TEST_F(SwipeTest, ASwipeTypedIntoTheWindowGetsItsVerdictWithTheNumberMasked) {
    const SwipeSeen seen = SwipeThroughWindow(hwnd, kSwipe);
    ASSERT_NE(seen.window, nullptr);
    EXPECT_EQ(seen.title, L"Swipe test");
    EXPECT_NE(seen.result.find(L"Matches the format."), std::wstring::npos) << seen.result;
    EXPECT_NE(seen.result.find(kMasked), std::wstring::npos) << seen.result;
    EXPECT_EQ(seen.result.find(kFull), std::wstring::npos) << seen.result;
    EXPECT_NE(seen.capture.find(kMasked), std::wstring::npos) << seen.capture;
    EXPECT_EQ(seen.capture.find(kFull), std::wstring::npos) << seen.capture;
    EXPECT_NE(seen.capture.find(L"TEST/CARD"), std::wstring::npos) << seen.capture;
    EXPECT_NE(seen.capture.find(L"\u21B5\r\n"), std::wstring::npos) << seen.capture;
    // The reader's carriage return closed nothing; the keys went past the check box.
    EXPECT_TRUE(seen.visibleAfterSwipe);
    EXPECT_TRUE(seen.focusKept);
    EXPECT_TRUE(seen.checkBoxLeft);
    // Asked for, the numbers show in full.
    EXPECT_NE(seen.resultInFull.find(kFull), std::wstring::npos);
    // Clear wipes what was captured; Escape closed the window.
    EXPECT_EQ(seen.captureAfterClear, L"");
    EXPECT_EQ(seen.resultAfterClear, L"Waiting for a swipe...");
    EXPECT_FALSE(IsWindow(seen.window));
}

// With a carriage return after each track the verdict comes after the last of them.
TEST_F(SwipeTest, AFormatWithAReturnAfterEachTrackIsCheckedAfterItsLastOne) {
    for (int id : {IDC_CR_PACKET, IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3})
        Click(hwnd, id);
    const SwipeSeen seen = SwipeThroughWindow(
        hwnd, L"%B5217000000000008^TEST/CARD^2512101?\r;5217000000000008=2512101?\r+?\r");
    EXPECT_NE(seen.result.find(L"Track 1: %B521700******0008^TEST/CARD^2512101?"),
              std::wstring::npos)
        << seen.result;
    EXPECT_NE(seen.result.find(L"Matches the format."), std::wstring::npos) << seen.result;
}

TEST_F(SwipeTest, TheWindowFollowsTheSettingsWindowsLanguage) {
    Click(hwnd, IDC_RADIO_CHINESE);
    const SwipeSeen seen = SwipeThroughWindow(hwnd, L"");
    EXPECT_EQ(seen.title, L"刷卡测试");
    EXPECT_EQ(seen.clear, L"清除");
    Click(hwnd, IDC_RADIO_ENGLISH);
}

// A form the buttons would refuse opens no swipe test: the window's own message instead.
TEST_F(SwipeTest, AFormWithoutTracksIsRefusedWithTheWindowsMessage) {
    for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3})
        Click(hwnd, id);
    const SwipeSeen seen = SwipeThroughWindow(hwnd, kSwipe);
    EXPECT_EQ(seen.window, nullptr);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, L"You must select any one track to output!");
}

}  // namespace
