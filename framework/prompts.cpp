#include "framework/prompts.h"

namespace fw {
namespace {
Prompts g_system;
Prompts* g_current = &g_system;
}  // namespace

int Prompts::ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    return MessageBoxW(owner, text, title, type);
}

void Prompts::Pause(DWORD milliseconds) {
    Sleep(milliseconds);
}

Prompts& CurrentPrompts() {
    return *g_current;
}

Prompts* SetPrompts(Prompts* prompts) {
    Prompts* previous = g_current == &g_system ? nullptr : g_current;
    g_current = prompts ? prompts : &g_system;
    return previous;
}

}  // namespace fw
