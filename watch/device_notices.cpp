#include "watch/device_notices.h"

#include <dbt.h>

#include "reader/hid_api.h"

namespace watch {

namespace {

constexpr const wchar_t* kClassName = L"ZP350WatchNotices";

// Registered once per process; a second watcher in the process reuses it.
bool RegisterNoticeClass(WNDPROC procedure) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kClassName;
    return RegisterClassExW(&type) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

DeviceNotices::DeviceNotices() {
    if (!RegisterNoticeClass(&DeviceNotices::Procedure))
        return;
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr)
        return;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    reader::CurrentHidApi().HidD_GetHidGuid(&filter.dbcc_classguid);
    notify_ = RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

DeviceNotices::~DeviceNotices() {
    if (notify_ != nullptr)
        UnregisterDeviceNotification(notify_);
    if (window_ != nullptr)
        DestroyWindow(window_);
}

bool DeviceNotices::Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

LRESULT CALLBACK DeviceNotices::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DeviceNotices*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DEVICECHANGE && self != nullptr &&
        (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        self->changed_ = true;
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace watch
