#include "app/setup_app.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/settings_dialog.h"
#include "app/splash_dialog.h"
#include "app/start_arguments.h"
#include "framework/late_bound.h"

namespace {

// The arguments after the program's name, split as the system splits a command line. The
// shell is bound only here, after the welcome window.
std::vector<std::wstring> Arguments() {
    auto* const split = LATE_BOUND(L"shell32.dll", CommandLineToArgvW);
    int count = 0;
    wchar_t** const words = split ? split(GetCommandLineW(), &count) : nullptr;
    std::vector<std::wstring> arguments;
    for (int i = 1; words != nullptr && i < count; ++i)
        arguments.emplace_back(words[i]);
    LocalFree(words);
    return arguments;
}

}  // namespace

BOOL SetupApp::InitInstance() {
    // The welcome window runs first; closing it ends the run. It lives until the end of
    // the start-up, after the settings window.
    SplashDialog splash(nullptr);
    if (splash.DoModal() == IDCANCEL)
        return FALSE;

    SettingsDialog dialog;
    if (const auto profile = ProfileArgument(Arguments()))
        dialog.LoadAtStart(*profile);
    mainWindow = &dialog;
    dialog.DoModal();
    mainWindow = nullptr;
    return FALSE;
}
