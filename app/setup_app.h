// The application object: shows the welcome window, then the settings window.
#pragma once

#include "framework/application.h"

class SetupApp : public fw::Application {
public:
    BOOL InitInstance() override;
};
