#include "app/error_box.h"

#include "framework/prompts.h"
#include "swipe/shown_text.h"

void ShowErrorBox(HWND owner, const std::wstring& text) {
    const swipe::CardWide shown = swipe::WideOf(swipe::MaskedLine(swipe::Utf8Of(text)));
    fw::CurrentPrompts().ShowBox(owner, shown.c_str(), L"Error", MB_ICONERROR | MB_OK);
}
