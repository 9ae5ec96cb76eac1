#include "framework/application.h"

namespace fw {
namespace {
Application* g_current = nullptr;
}

Application::Application() {
    g_current = this;
}

Application::~Application() {
    if (g_current == this)
        g_current = nullptr;
}

Application* Application::Current() {
    return g_current;
}

int Application::Run() {
    // The dialogs use the system's standard controls only; the common controls are loaded
    // when something first needs them (framework/common_controls.h).
    // There is no message loop of the program's own: the work happens in the modal loops
    // that InitInstance runs, and the process ends when it returns.
    InitInstance();
    return 0;
}

}  // namespace fw
