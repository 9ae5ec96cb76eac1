#include "framework/display.h"

#include "framework/late_bound.h"

namespace fw {
namespace {

// Newer than the headers the program is built against (Windows 7): declared here, looked up
// at run time.
using DpiForWindow = UINT WINAPI(HWND);                               // Windows 10 1607
using DpiForMonitor = HRESULT WINAPI(HMONITOR, int, UINT*, UINT*);    // Windows 8.1
using MetricsForDpi = int WINAPI(int, UINT);                          // Windows 10 1607
using ParametersForDpi = BOOL WINAPI(UINT, UINT, void*, UINT, UINT);  // Windows 10 1607
using ControlDpiBehavior = BOOL WINAPI(HWND, UINT, UINT);             // Windows 10 1703
constexpr UINT kDisableFontUpdate = 1;                                // DCDC_DISABLE_FONT_UPDATE
constexpr int kEffectiveDpi = 0;                                      // MDT_EFFECTIVE_DPI

// The DPI the system gives programs without a window: that of the primary screen.
UINT ScreenDpi() {
    ClientDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

// Windows 8.1 has no DPI per window, only per monitor.
UINT MonitorDpi(HWND window) {
    static auto* const forMonitor = LateBound<DpiForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    return forMonitor != nullptr && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y)) ? y : 0;
}

}  // namespace

UINT Display::Dpi(HWND window) {
    static auto* const forWindow = LateBound<DpiForWindow>(L"user32.dll", "GetDpiForWindow");
    UINT dpi = 0;
    if (window != nullptr)
        dpi = forWindow != nullptr ? forWindow(window) : MonitorDpi(window);
    return dpi != 0 ? dpi : ScreenDpi();
}

bool Display::HighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

Seam<Display>& DisplaySeam() {
    static Display system;
    static Seam<Display> seam(system);
    return seam;
}

void KeepOwnFont(HWND control) {
    static auto* const behave =
        LateBound<ControlDpiBehavior>(L"user32.dll", "SetDialogControlDpiChangeBehavior");
    if (behave != nullptr)
        behave(control, kDisableFontUpdate, kDisableFontUpdate);
}

int SystemMetric(int index, UINT dpi) {
    static auto* const forDpi = LateBound<MetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != nullptr)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

namespace {

// The fonts of the system's non-client metrics, made for `dpi`.
bool NonClientFonts(NONCLIENTMETRICSW& metrics, UINT dpi) {
    static auto* const forDpi =
        LateBound<ParametersForDpi>(L"user32.dll", "SystemParametersInfoForDpi");
    metrics = NONCLIENTMETRICSW{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr)
        return forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) != FALSE;
    // The system's metrics are made for the screen's DPI.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        return false;
    for (LOGFONTW* font : {&metrics.lfMenuFont, &metrics.lfStatusFont})
        font->lfHeight =
            MulDiv(font->lfHeight, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
    return true;
}

}  // namespace

Font MenuFont(UINT dpi) {
    NONCLIENTMETRICSW metrics;
    return NonClientFonts(metrics, dpi) ? Font(CreateFontIndirectW(&metrics.lfMenuFont)) : Font();
}

Font StatusFont(UINT dpi) {
    NONCLIENTMETRICSW metrics;
    return NonClientFonts(metrics, dpi) ? Font(CreateFontIndirectW(&metrics.lfStatusFont)) : Font();
}

}  // namespace fw
