#include "framework/prompts.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/late_bound.h"

namespace fw {

int Prompts::ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    return MessageBoxW(owner, text, title, type);
}

void Prompts::Pause(DWORD milliseconds) {
    Sleep(milliseconds);
}

// The common dialogs load the shell and more: bound when a file is first asked for.
FileAnswer Prompts::AskFile(HWND owner, const FileQuestion& question) {
    auto* const ask = question.save ? LATE_BOUND(L"comdlg32.dll", GetSaveFileNameW)
                                    : LATE_BOUND(L"comdlg32.dll", GetOpenFileNameW);
    auto* const dialogError = LATE_BOUND(L"comdlg32.dll", CommDlgExtendedError);
    if (ask == nullptr || dialogError == nullptr)
        return {L"", CDERR_INITIALIZATION};

    // Room for the longest path the system allows (32,767 characters) and its zero.
    std::vector<wchar_t> path(32768, L'\0');
    question.start.copy(path.data(), std::min(question.start.size(), path.size() - 1));
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = question.filter.empty() ? nullptr : question.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = question.title;
    dialog.lpstrDefExt = question.extension;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!ask(&dialog))
        return {L"", dialogError()};  // 0: the person cancelled
    return {path.data(), 0};
}

Seam<Prompts>& PromptsSeam() {
    static Prompts system;
    static Seam<Prompts> seam(system);
    return seam;
}

Prompts& CurrentPrompts() {
    return PromptsSeam().Current();
}

}  // namespace fw
