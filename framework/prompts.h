// The one place through which the program shows modal message boxes and file dialogs and
// pauses the user interface thread. Tests put a recorder in its place.
#pragma once

#include <windows.h>

#include <string>

#include "framework/seam.h"

namespace fw {

// A file to open, or a name to save under, asked of the person with the system's dialog.
struct FileQuestion {
    bool save = false;
    const wchar_t* title = nullptr;
    std::wstring filter;  // pairs of zero-terminated strings (name, pattern), then an empty one
    const wchar_t* extension = nullptr;  // added to a name typed without one
    std::wstring start;                  // the name or path the dialog starts with
};
struct FileAnswer {
    std::wstring path;    // empty when no file was chosen
    DWORD dialogError{};  // the dialog's own error number when it could not be shown
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);
    virtual void Pause(DWORD milliseconds);
    virtual FileAnswer AskFile(HWND owner, const FileQuestion& question);
};

// The system's boxes and pauses unless a substitute is installed (framework/seam.h).
Seam<Prompts>& PromptsSeam();
// The seam in use.
Prompts& CurrentPrompts();

}  // namespace fw
