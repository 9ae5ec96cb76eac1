#include "app/setup_app.h"

#include "app/settings_dialog.h"
#include "app/splash_dialog.h"

BOOL SetupApp::InitInstance() {
    // The welcome window runs first; closing it ends the run. It lives until the end of
    // the start-up, after the settings window.
    SplashDialog splash(nullptr);
    if (splash.DoModal() == IDCANCEL)
        return FALSE;

    SettingsDialog dialog;
    mainWindow = &dialog;
    dialog.DoModal();
    mainWindow = nullptr;
    return FALSE;
}
