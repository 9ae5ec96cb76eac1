// What the reader commands need of the settings window: its status line and message boxes,
// the "Set Device" button and the pause before the version query. The form reaches the
// commands as plain records (app/form_record.h).
#pragma once

#include <string>

#include "settings/ui_text.h"

class CommandUi {
public:
    virtual ~CommandUi() = default;

    // Shows the message of `occasion` in the current language, on the status line, in a box
    // or both, as the message table says.
    virtual void Report(Occasion occasion) = 0;
    // Replaces the status line with a text composed by the caller.
    virtual void ShowStatus(const std::wstring& text) = 0;
    // The reader's version text (bytes of the ANSI code page): on the status line and in an
    // "Information" box.
    virtual void ShowVersionText(const std::string& text) = 0;
    // An "Error" box with a text composed by the caller.
    virtual void ShowErrorBox(const std::wstring& text) = 0;
    virtual void EnableSetDevice() = 0;
    virtual void Pause(unsigned milliseconds) = 0;
    // The reader accepted "Cancel replace": the form no longer asks for any pair.
    virtual void ReplacementsCancelled() = 0;
    // Called again and again while a command waits for the reader, so that the window goes
    // on answering its messages; `msLeft`: how long that wait may still last.
    virtual void KeepAnswering(unsigned msLeft) = 0;
};
