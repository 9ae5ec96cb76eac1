// The one place through which the program shows modal message boxes and pauses the user
// interface thread. Tests put a recorder in its place.
#pragma once

#include <windows.h>

#include "framework/seam.h"

namespace fw {

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual int ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);
    virtual void Pause(DWORD milliseconds);
};

// The system's boxes and pauses unless a substitute is installed (framework/seam.h).
Seam<Prompts>& PromptsSeam();
// The seam in use.
Prompts& CurrentPrompts();

}  // namespace fw
