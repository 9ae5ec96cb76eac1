// The application object: one per process, started by the program's entry point.
#pragma once

#include <windows.h>

namespace fw {

class Dialog;

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Does the program's work. FALSE: the work is done and the process ends; TRUE: the
    // program's windows are up and a message loop runs them until WM_QUIT.
    virtual BOOL InitInstance() = 0;

    // Called by the entry point: runs InitInstance (and the message loop when it asks for
    // one) and returns the process exit code.
    int Run();

    static Application* Current();
    // The window that stands for the program while it runs.
    Dialog* mainWindow = nullptr;
};

}  // namespace fw
