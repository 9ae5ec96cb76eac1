#include <windows.h>

#include "app/setup_app.h"

namespace {
SetupApp theApp;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return theApp.Run();
}
