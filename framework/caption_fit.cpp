#include "framework/caption_fit.h"

#include <algorithm>
#include <string>
#include <vector>

#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/grow_layout.h"

namespace fw {
namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextW(window, &text[0], static_cast<int>(text.size())), 0)));
    return text;
}

bool IsClass(HWND window, const wchar_t* name) {
    wchar_t found[16] = {};
    return GetClassNameW(window, found, 16) > 0 && lstrcmpiW(found, name) == 0;
}

// The text in the control's font on its device context, measured as DrawText lays it out.
class Measure {
public:
    explicit Measure(HWND control)
        : dc_(control),
          selection_(dc_.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))) {
        GetTextMetricsW(dc_.get(), &metrics_);
    }
    // The size of `text` laid out within `width` (wrapped at words when `wrap`), aligned by
    // `align` (DT_CENTER, DT_RIGHT or 0), which changes where a line may end.
    SIZE Extent(const std::wstring& text, long width, bool wrap, UINT align = 0) const {
        RECT rect{0, 0, width, 0};
        DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_CALCRECT | align | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
        return {rect.right, rect.bottom};
    }
    long AverageChar() const { return metrics_.tmAveCharWidth; }

private:
    ClientDc dc_;
    Selection selection_;
    TEXTMETRICW metrics_{};
};

// The least width, from `width` on, whose wrapped text is no taller than `height`, given the
// room `chrome` takes from the width. A control may measure its text first and then draw it
// within the width measured (Wine's buttons do): that width must hold the same lines, which
// it does not when the widest line was measured without the blank that ends it.
long WrappedWidth(const Measure& measure, const std::wstring& text, long width, long height,
                  long chrome, UINT align) {
    const long single = measure.Extent(text, 0, false).cx + chrome;
    const long step = std::max(1L, measure.AverageChar());
    for (long tried = width; tried < single; tried += step) {
        const SIZE wrapped = measure.Extent(text, tried - chrome, true, align);
        const SIZE again = measure.Extent(text, wrapped.cx, true, align);
        if (wrapped.cy <= height && wrapped.cx <= tried - chrome && again.cy == wrapped.cy)
            return tried;
    }
    return single;
}

long ButtonNeed(LONG style, const Measure& measure, const std::wstring& text, SIZE client,
                UINT dpi) {
    const long average = measure.AverageChar();
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: {
            const long chrome = 2 * average;
            if (style & BS_MULTILINE)
                return WrappedWidth(measure, text, client.cx,
                                    client.cy - 2 * SystemMetric(SM_CYEDGE, dpi), chrome,
                                    DT_CENTER);
            return measure.Extent(text, 0, false).cx + chrome;
        }
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
        case BS_3STATE:
        case BS_AUTO3STATE:
            // The box, a gap, the text and room for the focus rectangle around it.
            return Scale(13, dpi) + average + measure.Extent(text, 0, false).cx;
        case BS_GROUPBOX:
            return measure.Extent(text, 0, false).cx + 2 * Scale(8, dpi);
        default:
            return 0;
    }
}

long StaticNeed(LONG style, const Measure& measure, const std::wstring& text, SIZE client) {
    switch (style & SS_TYPEMASK) {
        case SS_LEFT:
            return WrappedWidth(measure, text, client.cx, client.cy, 0, 0);
        case SS_CENTER:
            return WrappedWidth(measure, text, client.cx, client.cy, 0, DT_CENTER);
        case SS_RIGHT:
            return WrappedWidth(measure, text, client.cx, client.cy, 0, DT_RIGHT);
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE:
            return measure.Extent(text, 0, false).cx;
        default:
            return 0;
    }
}

}  // namespace

long NeededWidth(HWND control) {
    const std::wstring text = TextOf(control);
    const bool button = IsClass(control, L"Button");
    if (text.empty() || (!button && !IsClass(control, L"Static")))
        return 0;
    RECT client{};
    GetClientRect(control, &client);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const Measure measure(control);
    const SIZE size{client.right, client.bottom};
    return button ? ButtonNeed(style, measure, text, size, DpiOf(control))
                  : StaticNeed(style, measure, text, size);
}

void FitCaptions(HWND dialog) {
    std::vector<HWND> controls;
    std::vector<LayoutBox> boxes;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (!(style & WS_VISIBLE))
            continue;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        const bool button = IsClass(child, L"Button");
        LayoutBox box{rect.left, rect.top, rect.right, rect.bottom};
        box.need = NeededWidth(child);
        box.frame = button && (style & BS_TYPEMASK) == BS_GROUPBOX;
        box.growsLeft = !button && (style & SS_TYPEMASK) == SS_RIGHT;
        controls.push_back(child);
        boxes.push_back(box);
    }
    const std::vector<LayoutBox> before = boxes;
    RECT client{};
    GetClientRect(dialog, &client);
    const long grown = GrowToFit(boxes, client.right, Scale(2, DpiOf(dialog)));
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const LayoutBox& box = boxes[i];
        if (box.left != before[i].left || box.right != before[i].right)
            SetWindowPos(controls[i], nullptr, box.left, box.top, box.right - box.left,
                         box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (grown > 0) {
        RECT window{};
        GetWindowRect(dialog, &window);
        SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + grown,
                     window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(dialog, nullptr, TRUE);
}

}  // namespace fw
