// The swipe test: a modal window that takes what a reader types for one swipe and checks it
// against the settings window's form. Every key its controls get goes into the swipe,
// whichever of them has the focus: each control asks the dialog for every key
// (WM_GETDLGCODE), so a carriage return from the reader never presses a button and a blank
// never ticks the check box. Escape closes the window; keys with Alt and the keys of its
// system menu, whose loop is not the dialog's, stay the system's. No hook is needed, so
// nothing can fail to be set, and keys cost no more than any other message. When the swipe is
// complete is decided by swipe::SwipeCapture. What was captured lives only in memory that is
// wiped (swipe/card_text.h): on Clear, on the next swipe and on close.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/dialog.h"
#include "framework/window.h"
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
    // A control of the dialog, attached so that its keys come to the swipe.
    class KeyTaker : public fw::Window {
    public:
        explicit KeyTaker(SwipeDialog& dialog) : dialog_(dialog) {}

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        SwipeDialog& dialog_;
    };

    // A key that reached one of the dialog's windows; false to leave it to that window.
    bool TakeKey(UINT message, WPARAM key);
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
    DWORD lastKey_ = 0;        // when the last key of the swipe was typed (its message time)
    bool pauseTimer_ = false;  // the timer that waits out the pause is running
    bool showTimer_ = false;   // the capture box is to be brought up to date
    std::vector<std::unique_ptr<KeyTaker>> keyTakers_;
};
