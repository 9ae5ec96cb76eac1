#include "controls/text_label.h"

#include <cstring>

TextLabel::TextLabel()
    : textColor_(GetSysColor(COLOR_WINDOWTEXT)),
      background_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(fontDescription_), &fontDescription_);
    // The stock font is made for the system's DPI; the description holds 96-DPI sizes.
    fontDescription_.lfHeight = MulDiv(fontDescription_.lfHeight, static_cast<int>(fw::kBaseDpi),
                                       static_cast<int>(fw::DpiOf(nullptr)));
    RebuildLabelFont();
}

void TextLabel::PreSubclassWindow() {
    dpi_ = fw::DpiOf(hwnd());
    fw::KeepOwnFont(hwnd());
    RebuildLabelFont();
}

TextLabel& TextLabel::SetDpi(UINT dpi) {
    dpi_ = dpi;
    return RebuildLabelFont();
}

TextLabel& TextLabel::SetLabelTextColor(COLORREF color) {
    textColor_ = color;
    Redraw();
    return *this;
}

TextLabel& TextLabel::SetLabelBold(BOOL bold) {
    fontDescription_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    return RebuildLabelFont();
}

TextLabel& TextLabel::SetLabelHeight(int size) {
    fontDescription_.lfHeight = -size;
    return RebuildLabelFont();
}

TextLabel& TextLabel::SetLabelFace(const char* face) {
    std::memset(fontDescription_.lfFaceName, 0, sizeof(fontDescription_.lfFaceName));
    std::strncpy(fontDescription_.lfFaceName, face, LF_FACESIZE - 1);
    return RebuildLabelFont();
}

TextLabel& TextLabel::RebuildLabelFont() {
    LOGFONTA scaled = fontDescription_;
    scaled.lfHeight = fw::Scale(fontDescription_.lfHeight, dpi_);
    scaled.lfWidth = fw::Scale(fontDescription_.lfWidth, dpi_);
    fw::Font rebuilt(CreateFontIndirectA(&scaled));
    // The control must not be left holding the old font when it is deleted.
    if (hwnd())
        SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(rebuilt.get()), FALSE);
    font_ = std::move(rebuilt);
    Redraw();
    return *this;
}

bool TextLabel::OnReflected(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (!fw::IsColorRequest(message))
        return false;
    *result = reinterpret_cast<LRESULT>(
        CtlColor(reinterpret_cast<HDC>(wParam), message - WM_CTLCOLORMSGBOX));
    return true;
}

HBRUSH TextLabel::CtlColor(HDC dc, UINT controlType) {
    if (controlType == CTLCOLOR_STATIC) {
        SelectObject(dc, font_.get());
        SetTextColor(dc, fw::HighContrast() ? GetSysColor(COLOR_BTNTEXT) : textColor_);
        SetBkMode(dc, TRANSPARENT);
    }
    return background_.get();
}

void TextLabel::Redraw() {
    if (hwnd())
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
