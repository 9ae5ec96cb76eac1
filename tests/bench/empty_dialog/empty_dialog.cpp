// The yardstick of the start-up benchmark: a dialog program that does nothing, built with
// the same toolchain, flags and static runtime as the real one.
#include <windows.h>

INT_PTR CALLBACK EmptyDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        return EndDialog(window, LOWORD(wParam));
    return message == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(1), nullptr, EmptyDialogProc, 0));
}
