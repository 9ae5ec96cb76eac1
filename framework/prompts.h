// The one place through which the program shows modal message boxes and pauses the user
// interface thread. Tests put a recorder in its place.
#pragma once

#include <windows.h>

namespace fw {

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);
    virtual void Pause(DWORD milliseconds);
};

Prompts& CurrentPrompts();
// Installs `prompts` (null restores the system's); returns the one it replaces.
Prompts* SetPrompts(Prompts* prompts);

}  // namespace fw
