#include "canvas.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "framework/gdi.h"
#include "framework/window.h"

Canvas::Canvas(int width, int height, COLORREF fill)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{{sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    std::fill(bits_, bits_ + width * height,
              RGB(GetBValue(fill), GetGValue(fill), GetRValue(fill)));
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t value = bits_[y * width_ + x];  // memory order: blue, green, red
    return RGB(GetBValue(value), GetGValue(value), GetRValue(value));
}

int Canvas::Count(COLORREF color, RECT* box, const RECT* area) const {
    const RECT scan = area ? *area : RECT{0, 0, width_, height_};
    int count = 0;
    RECT found{width_, height_, -1, -1};
    for (int y = scan.top; y < scan.bottom; ++y)
        for (int x = scan.left; x < scan.right; ++x)
            if (Pixel(x, y) == color) {
                ++count;
                found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y),
                         std::max<LONG>(found.right, x), std::max<LONG>(found.bottom, y)};
            }
    if (box)
        *box = found;
    return count;
}

void Canvas::Save(const wchar_t* path) const {
    GdiFlush();
    const DWORD size = 4 * width_ * height_, headers = 14 + sizeof(BITMAPINFOHEADER);
    const BITMAPINFOHEADER info{sizeof(info), width_, -height_, 1, 32, BI_RGB, size, 0, 0, 0, 0};
    const BITMAPFILEHEADER file{0x4D42, headers + size, 0, 0, headers};
    if (FILE* out = _wfopen(path, L"wb")) {
        std::fwrite(&file, sizeof(file), 1, out);
        std::fwrite(&info, sizeof(info), 1, out);
        std::fwrite(bits_, size, 1, out);
        std::fclose(out);
    }
}

HBITMAP MakeTestBitmap(int width, int height, COLORREF color, COLORREF first, COLORREF second) {
    fw::ClientDc screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    fw::MemoryDc dc(CreateCompatibleDC(screen.get()));
    fw::Selection selected(dc.get(), bitmap);
    fw::Brush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    for (auto [x, pixel] : {std::pair{0, first}, std::pair{1, second}})
        if (pixel != CLR_INVALID)
            SetPixel(dc.get(), x, 0, pixel);
    return bitmap;
}

HICON MakeTestIcon(int size, COLORREF color) {
    const std::vector<BYTE> opaque(size * size);  // an all-zero mask, more than enough rows
    fw::Bitmap colorBits(MakeTestBitmap(size, size, color, RGB(0, 0, 0)));
    fw::Bitmap mask(CreateBitmap(size, size, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.get(), colorBits.get()};
    return CreateIconIndirect(&info);
}

namespace {
LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (fw::Window::ReflectToChild(message, wParam, lParam, &result))
        return result;
    if (message == WM_COMMAND) {
        TestParent::lastCommand = wParam;
        TestParent::clicks += HIWORD(wParam) == BN_CLICKED && lParam != 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

TestParent::TestParent() {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.lpszClassName = L"ControlTestParent";
        windowClass.hbrBackground = CreateSolidBrush(kParentColor);  // lives with the class
        return RegisterClassW(&windowClass);
    }();
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(registered), L"test parent",
                            WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr, nullptr,
                            nullptr);
    SetForegroundWindow(hwnd_);
    clicks = 0;
    lastCommand = 0;
}

HWND TestParent::AddButton(int id, DWORD style, int x, int y, int width, int height,
                           const wchar_t* text) {
    return CreateWindowW(L"BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}
