// The swipe test: a modal window that takes what a reader types for one swipe and checks it
// against the settings window's form. Every key the dialog gets goes into the swipe, whichever
// of its controls has the focus, so a carriage return from the reader never presses a button;
// Escape closes it. What was captured lives only in memory and is wiped on Clear, on the next
// swipe and on close.
#pragma once

#include <windows.h>

#include <string>

#include "framework/dialog.h"
#include "settings/choices.h"

class SwipeDialog : public fw::Dialog {
public:
    SwipeDialog(HWND parent, const settings::Setup& form);
    ~SwipeDialog() override;

    // How long after the last key a swipe counts as complete when its format ends without a
    // carriage return (or its last one did not come).
    static constexpr UINT kPauseMs = 1000;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    // The window has no button that Return presses; only Escape and Close end it.
    void OnOK() override {}
    void OnCancel() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
    bool TakeKey(MSG& message);
    void AddCharacter(wchar_t character);
    void Finish();
    void Clear();
    void ShowCapture();
    void ShowResult();
    void ApplyTexts();
    bool ShowAll() const;

    settings::Setup form_;
    std::wstring typed_;  // this swipe's characters
    bool finished_ = false;
    HHOOK hook_ = nullptr;
};
