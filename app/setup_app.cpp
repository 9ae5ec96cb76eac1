#include "app/setup_app.h"

#include "app/settings_dialog.h"

BOOL SetupApp::InitInstance() {
    // The welcome window runs here, before the settings window; closing it ends the run.

    SettingsDialog dialog;
    mainWindow = &dialog;
    dialog.DoModal();
    mainWindow = nullptr;
    return FALSE;
}
