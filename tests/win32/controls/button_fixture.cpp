#include "button_fixture.h"

#include <algorithm>

#include "framework/window.h"

int TestParent::clicks = 0;

namespace {
const wchar_t kParentClass[] = L"PictureButtonTestParent";

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (fw::Window::ReflectToChild(message, wParam, lParam, &result))
        return result;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
        ++TestParent::clicks;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterParentClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kParentClass;
    windowClass.hbrBackground = CreateSolidBrush(kParentColor);  // lives with the class
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    RegisterClassW(&windowClass);
    registered = true;
}
}  // namespace

TestParent::TestParent() {
    RegisterParentClass();
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"test parent", WS_POPUP | WS_VISIBLE, 100,
                            100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
    clicks = 0;
}

TestParent::~TestParent() {
    DestroyWindow(hwnd_);
}

HWND TestParent::AddButton(int id, DWORD style, int x, int y, int width, int height,
                           const wchar_t* text) {
    return CreateWindowW(L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    const std::uint32_t value = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    for (int i = 0; i < width * height; ++i)
        bits_[i] = value;
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value = bits_[y * width_ + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Canvas::Count(COLORREF color, RECT* box) const {
    int count = 0;
    RECT found{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) != color)
                continue;
            ++count;
            found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y),
                     std::max<LONG>(found.right, x), std::max<LONG>(found.bottom, y)};
        }
    }
    if (box)
        *box = found;
    return count;
}

void Render(PictureButton& button, Canvas& canvas, UINT itemState) {
    DRAWITEMSTRUCT request{};
    request.CtlType = ODT_BUTTON;
    request.CtlID = static_cast<UINT>(GetDlgCtrlID(button.hwnd()));
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = itemState;
    request.hwndItem = button.hwnd();
    request.hDC = canvas.dc();
    GetClientRect(button.hwnd(), &request.rcItem);
    button.DrawItem(request);
    GdiFlush();
}

HICON MakeTestIcon(int size, COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP colorBits = CreateCompatibleBitmap(screen, size, size);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, colorBits);
    HBRUSH brush = CreateSolidBrush(color);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    SetPixel(dc, 0, 0, RGB(0, 0, 0));
    SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));  // all opaque
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO info{TRUE, 0, 0, mask, colorBits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colorBits);
    return icon;
}

HBITMAP MakeTestBitmap(int width, int height, COLORREF color, COLORREF first, COLORREF second) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(color);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    if (first)
        SetPixel(dc, 0, 0, first);
    if (second)
        SetPixel(dc, 1, 0, second);
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
