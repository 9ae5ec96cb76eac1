// The swipe test window, opened from the settings window's system menu and typed into with
// SendInput as a reader types: characters, and the Return key for its carriage returns.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

// Runs `steps` in the swipe window's modal loop (or in the loops it starts), `gapMs` apart,
// then pumps the settings window's messages until the last one has run.
void InSwipeWindow(HWND settings, std::vector<std::function<void()>> steps, UINT gapMs = 150) {
    std::size_t next = 0;
    bool done = false;
    std::function<void()> step = [&] {
        steps[next++]();
        if (next < steps.size())
            RunSoon(step, gapMs);
        else
            done = true;
    };
    RunSoon(step);
    SendMessageW(settings, WM_SYSCOMMAND, IDM_SWIPE_TEST, 0);
    PumpUntil([&done] { return done; }, 5000);
}

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

// A reader with a carriage return after each track, a form with one after the packet: the
// swipe ends at the pause, not at the form's return, and is checked whole.
TEST_F(SwipeTest, ASwipeEndsWhenTheReaderStopsTypingNotAtTheFormsReturn) {
    const SwipeSeen seen = SwipeThroughWindow(
        hwnd, L"%B5217000000000008^TEST/CARD^2512101?\r;5217000000000008=2512101?\r+?\r");
    EXPECT_NE(seen.result.find(L"Track 1: %B521700******0008^TEST/CARD^*******?"),
              std::wstring::npos)
        << seen.result;
    EXPECT_NE(seen.result.find(L"Carriage returns: the reader sends one after tracks 1, 2 and 3; "
                               L"the form asks for one after the packet."),
              std::wstring::npos)
        << seen.result;
    EXPECT_NE(seen.capture.find(L"TEST/CARD"), std::wstring::npos) << seen.capture;
    EXPECT_NE(seen.capture.find(L"+?"), std::wstring::npos) << seen.capture;
}

TEST_F(SwipeTest, TheWindowFollowsTheSettingsWindowsLanguage) {
    Click(hwnd, IDC_RADIO_CHINESE);
    const SwipeSeen seen = SwipeThroughWindow(hwnd, L"");
    EXPECT_EQ(seen.title, L"刷卡测试");
    EXPECT_EQ(seen.clear, L"清除");
    Click(hwnd, IDC_RADIO_ENGLISH);
}

// The window sees Caps Lock while it waits and says so before the swipe; an Enter alone is no
// swipe, and it waits on.
TEST_F(SwipeTest, CapsLockIsSaidBeforeTheSwipeAndAnEnterAloneIsNoSwipe) {
    HWND window = nullptr;
    std::wstring capsOn, capsOff, afterEnter, capture;
    InSwipeWindow(hwnd, {[&] {
                             window = GetActiveWindow();
                             SetForegroundWindow(window);
                             PressKey(VK_CAPITAL);
                         },
                         [&] {
                             capsOn = ItemText(window, IDC_SWIPE_RESULT);
                             PressKey(VK_CAPITAL);
                         },
                         [&] {
                             capsOff = ItemText(window, IDC_SWIPE_RESULT);
                             PressKey(VK_RETURN);
                         },
                         [&] {
                             afterEnter = ItemText(window, IDC_SWIPE_RESULT);
                             capture = ItemText(window, IDC_SWIPE_CAPTURE);
                             PressKey(VK_ESCAPE);
                         }});
    EXPECT_EQ(capsOn,
              L"Caps Lock is on: turn it off before you swipe, or track 1 comes in small letters.");
    EXPECT_EQ(capsOff, L"Waiting for a swipe...");
    EXPECT_EQ(afterEnter, L"Waiting for a swipe...");
    EXPECT_EQ(capture, L"");
    EXPECT_FALSE(IsWindow(window));
}

// The keys of the window's system menu are the menu's: its loop is not the dialog's, and the
// swipe leaves it alone. C picks Close.
TEST_F(SwipeTest, TheSystemMenuKeepsItsKeys) {
    HWND window = nullptr;
    bool closedByTheMenu = false;
    InSwipeWindow(hwnd, {[&] {
                             window = GetActiveWindow();
                             SetForegroundWindow(window);
                             PostMessageW(window, WM_SYSCOMMAND, SC_KEYMENU, L' ');
                         },
                         [] { PressKey('C'); },
                         [&] {
                             closedByTheMenu = !IsWindow(window);
                             if (closedByTheMenu)
                                 return;
                             PressKey(VK_ESCAPE);  // the menu, then the window
                             PressKey(VK_ESCAPE);
                         }});
    EXPECT_TRUE(closedByTheMenu);
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
