#include "framework/prompts.h"

namespace fw {

int Prompts::ShowBox(HWND owner, const wchar_t* text, const wchar_t* title, UINT type) {
    return MessageBoxW(owner, text, title, type);
}

void Prompts::Pause(DWORD milliseconds) {
    Sleep(milliseconds);
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
