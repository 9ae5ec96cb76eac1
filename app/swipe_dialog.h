// The swipe test: a modal window that takes what a reader types for one swipe and checks it
// against the settings window's form. Every key its own modal loop gets goes into the swipe,
// whichever of its controls has the focus, so a carriage return from the reader never
// presses a button; Escape closes it, and the keys of its system menu stay the menu's. When
// the swipe is complete is decided by swipe::SwipeCapture. What was captured lives only in
// memory that is wiped (swipe/card_text.h): on Clear, on the next swipe and on close.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "framework/owned.h"
#include "settings/choices.h"
#include "swipe/swipe_capture.h"

class SwipeDialog : public fw::Dialog {
public:
    SwipeDialog(HWND parent, const settings::Setup& form);
    ~SwipeDialog() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    // The window has no button that Return presses; only Escape and Close end it.
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct HookTraits {
        static HHOOK none() { return nullptr; }
        static bool valid(HHOOK hook) { return hook != nullptr; }
        void close(HHOOK hook) const { UnhookWindowsHookEx(hook); }
    };
    using Hook = fw::Owned<HHOOK, HookTraits>;

    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    bool TakeKey(MSG& message);
    void AddCharacter(wchar_t character);
    void OnTimer(UINT_PTR timer);
    void Finish();
    void Clear();
    void ShowCapture();
    void ShowResult();
    void ApplyTexts();
    bool ShowAll() const;

    settings::Setup form_;
    swipe::SwipeCapture capture_;
    bool finished_ = false;
    DWORD lastKey_ = 0;        // when the last key of the swipe came (GetTickCount)
    bool pauseTimer_ = false;  // the timer that waits out the pause is running
    bool showTimer_ = false;   // the capture box is to be brought up to date
    Hook hook_;
    std::wstring noKeys_;  // why the key hook could not be set; empty when it is
};
