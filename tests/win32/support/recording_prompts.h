// Stands in for message boxes and pauses: records them and returns at once. File questions
// are recorded too; they get `fileAnswer` when it is set and the system's dialog otherwise.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/prompts.h"

struct RecordedBox {
    std::wstring text, title;
    UINT type;
    HWND owner = nullptr;
};

struct RecordingPrompts : fw::Prompts {
    int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) override {
        boxes.push_back({text, title, type, owner});
        return IDOK;
    }
    void Pause(DWORD milliseconds) override { pauses.push_back(milliseconds); }
    fw::FileAnswer AskFile(HWND owner, const fw::FileQuestion& question) override {
        questions.push_back(question);
        if (fileAnswer)
            return {*fileAnswer, 0};
        return fw::Prompts::AskFile(owner, question);
    }

    fw::Seam<fw::Prompts>::Substitute installed{fw::PromptsSeam(), *this};
    std::vector<RecordedBox> boxes;
    std::vector<DWORD> pauses;
    std::vector<fw::FileQuestion> questions;
    std::optional<std::wstring> fileAnswer;
};
