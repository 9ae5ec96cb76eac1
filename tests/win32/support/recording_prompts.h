// Stands in for message boxes and pauses: records them and returns at once.
#pragma once

#include <string>
#include <vector>

#include "framework/prompts.h"

struct RecordedBox {
    std::wstring text, title;
    UINT type;
};

struct RecordingPrompts : fw::Prompts {
    int ShowBox(HWND, const wchar_t* text, const wchar_t* title, UINT type) override {
        boxes.push_back({text, title, type});
        return IDOK;
    }
    void Pause(DWORD milliseconds) override { pauses.push_back(milliseconds); }

    fw::Seam<fw::Prompts>::Substitute installed{fw::PromptsSeam(), *this};
    std::vector<RecordedBox> boxes;
    std::vector<DWORD> pauses;
};
