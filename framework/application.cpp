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
    // This program's work happens in the modal loops that InitInstance runs; it asks for no
    // message loop of its own.
    if (!InitInstance())
        return 0;
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace fw
