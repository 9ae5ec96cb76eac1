#include "reader_window.h"

#include "res/resource.h"
#include "ui_helpers.h"

namespace {
Timeline* g_watching = nullptr;
}

Timeline::Timeline() : previous_(fw::SetPrompts(this)) {}

Timeline::~Timeline() {
    if (status_ != nullptr && IsWindow(status_) &&
        GetWindowLongPtrW(status_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&StatusProc))
        SetWindowLongPtrW(status_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    if (g_watching == this)
        g_watching = nullptr;
    fw::SetPrompts(previous_);
}

int Timeline::ShowBox(HWND, const wchar_t* text, const wchar_t* title, UINT type) {
    const UINT icon = type & MB_ICONMASK;
    const wchar_t* kind = icon == MB_ICONERROR         ? L" (error): "
                          : icon == MB_ICONINFORMATION ? L" (info): "
                                                       : L" (?): ";
    entries.push_back(std::wstring(L"box ") + title + kind + text);
    return IDOK;
}

void Timeline::Pause(DWORD milliseconds) {
    pauses.push_back(milliseconds);
}

void Timeline::WatchStatus(HWND dialog) {
    status_ = GetDlgItem(dialog, IDC_STATUS);
    g_watching = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(status_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StatusProc)));
}

LRESULT CALLBACK Timeline::StatusProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Timeline* self = g_watching;
    WNDPROC original = self->original_;
    if (message == WM_SETTEXT) {
        const LRESULT result = CallWindowProcW(original, hwnd, message, wParam, lParam);
        self->entries.push_back(L"status: " + WindowText(hwnd));
        return result;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

std::wstring Status(const std::wstring& text) {
    return L"status: " + text;
}
std::wstring ErrorBox(const std::wstring& title, const std::wstring& text) {
    return L"box " + title + L" (error): " + text;
}
std::wstring InfoBox(const std::wstring& text) {
    return L"box Information (info): " + text;
}

void ReaderWindow::SetUp() {
    dialog = std::make_unique<SettingsDialog>();
    hwnd = dialog->Create();
    ASSERT_NE(hwnd, nullptr);
    PumpMessages();
    timeline.WatchStatus(hwnd);
}

void ReaderWindow::TearDown() {
    dialog.reset();
    // The window has released everything it held, its link included.
    for (const std::string& problem : host.Problems(0))
        ADD_FAILURE() << problem;
}

void ReaderWindow::Connect(SimulatedDevice& reader) {
    Click(hwnd, IDC_FIND_DEVICE);
    ASSERT_FALSE(timeline.entries.empty());
    ASSERT_EQ(timeline.entries.front().rfind(L"status: Detect device OK,ver", 0), 0u)
        << timeline.entries.front();
    for (const std::string& problem : host.Problems(1))
        ADD_FAILURE() << problem;
    reader.writes.clear();
    reader.readSizes.clear();
    Clear();
}

void ReaderWindow::Clear() {
    timeline.entries.clear();
    timeline.pauses.clear();
}

void ReaderWindow::SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(hwnd, id, text);
}

void ReaderWindow::SetChecked(int id, bool checked) {
    if (IsItemChecked(hwnd, id) != checked)
        Click(hwnd, id);
}

std::wstring ReaderWindow::StatusText() const {
    return ItemText(hwnd, IDC_STATUS);
}
