// Functions of system libraries that the program needs only after its first window is up
// (device setup, HID, the shell, the common controls), bound on first use. Importing those
// libraries would load them, and run their start-up code, before the welcome window shows.
#pragma once

#include <windows.h>

namespace fw {

// The function `name` of `library`, or null when either cannot be found. The library stays
// loaded for the rest of the process, as an imported one would.
template <typename Function>
Function* LateBound(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    if (!module)
        return nullptr;
    // Through a plain function pointer type: the compiler accepts any function pointer cast
    // from there without a warning about the mismatched signature.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace fw

// Looks the function up once per call site: LATE_BOUND(L"shell32.dll", ShellExecuteExA)
// is a pointer of the declared type of ::ShellExecuteExA, or null.
#define LATE_BOUND(library, function)                                                         \
    ([] {                                                                                     \
        static auto* const bound = ::fw::LateBound<decltype(::function)>(library, #function); \
        return bound;                                                                         \
    }())
