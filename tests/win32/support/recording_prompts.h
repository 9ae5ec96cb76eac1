// Stands in for message boxes and pauses: records them and returns at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/prompts.h"

struct RecordedBox {
    std::wstring text, title;
    UINT type;
};

class RecordingPrompts : public fw::Prompts {
public:
    RecordingPrompts() : previous_(fw::SetPrompts(this)) {}
    ~RecordingPrompts() override { fw::SetPrompts(previous_); }
    int ShowBox(HWND, const wchar_t* text, const wchar_t* title, UINT type) override {
        boxes.push_back({text, title, type});
        return IDOK;
    }
    void Pause(DWORD milliseconds) override { pauses.push_back(milliseconds); }

    std::vector<RecordedBox> boxes;
    std::vector<DWORD> pauses;

private:
    fw::Prompts* previous_;
};
