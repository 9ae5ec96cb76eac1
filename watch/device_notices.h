// The system's notice that a HID device came or went: a message-only window registered for
// the HID device interfaces (RegisterDeviceNotification), owned by the thread that waits.
// Where no notice comes (a session without them, a system that drops them) the watcher's
// poll still finds every change; a notice only makes it sooner.
#pragma once

#include <windows.h>

namespace watch {

class DeviceNotices {
public:
    DeviceNotices();
    ~DeviceNotices();
    DeviceNotices(const DeviceNotices&) = delete;
    DeviceNotices& operator=(const DeviceNotices&) = delete;

    // Whether the system took the registration (the poll alone runs otherwise).
    bool registered() const { return notify_ != nullptr; }
    // Hands the thread's waiting messages to the window; true when one of them said that a
    // HID device arrived or was removed since the last call.
    bool Pump();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HDEVNOTIFY notify_ = nullptr;
    bool changed_ = false;
};

}  // namespace watch
