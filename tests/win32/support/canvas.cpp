#include "canvas.h"

#include <algorithm>
#include <vector>

#include "framework/gdi.h"
#include "framework/window.h"

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    const std::uint32_t value = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
    std::fill(bits_, bits_ + width * height, value);
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

int Canvas::Count(COLORREF color, RECT* box, const RECT* area) const {
    const RECT scan = area ? *area : RECT{0, 0, width_, height_};
    int count = 0;
    RECT found{width_, height_, -1, -1};
    for (int y = scan.top; y < scan.bottom; ++y) {
        for (int x = scan.left; x < scan.right; ++x) {
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

bool Canvas::SameAs(const Canvas& other) const {
    GdiFlush();
    return width_ == other.width_ && height_ == other.height_ &&
           std::equal(bits_, bits_ + width_ * height_, other.bits_);
}

bool Canvas::Save(const wchar_t* path) const {
    const int stride = (width_ * 3 + 3) & ~3;
    std::vector<BYTE> data(static_cast<std::size_t>(stride) * height_);
    for (int y = 0; y < height_; ++y) {
        BYTE* row = &data[static_cast<std::size_t>(height_ - 1 - y) * stride];
        for (int x = 0; x < width_; ++x) {
            const COLORREF c = Pixel(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    BITMAPINFOHEADER info{
        sizeof(info), width_, height_, 1, 24, BI_RGB, static_cast<DWORD>(data.size()), 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(file) + sizeof(info)};
    file.bfSize = file.bfOffBits + static_cast<DWORD>(data.size());
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info, sizeof(info), &written, nullptr) &&
              WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(out);
    return ok;
}

HBITMAP MakeTestBitmap(int width, int height, COLORREF color, COLORREF first, COLORREF second) {
    fw::ClientDc screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.get(), width, height);
    fw::MemoryDc dc(CreateCompatibleDC(screen.get()));
    fw::Selection selected(dc.get(), bitmap);
    fw::Brush brush(CreateSolidBrush(color));
    const RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    if (first)
        SetPixel(dc.get(), 0, 0, first);
    if (second)
        SetPixel(dc.get(), 1, 0, second);
    return bitmap;
}

HICON MakeTestIcon(int size, COLORREF color) {
    fw::Bitmap colorBits(MakeTestBitmap(size, size, color));
    fw::Bitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
    {
        fw::MemoryDc dc(CreateCompatibleDC(nullptr));
        fw::Selection selectedMask(dc.get(), mask.get());
        PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);  // all opaque
        fw::Selection selectedColour(dc.get(), colorBits.get());
        SetPixel(dc.get(), 0, 0, RGB(0, 0, 0));
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), colorBits.get()};
    return CreateIconIndirect(&info);
}

int TestParent::clicks = 0;
WPARAM TestParent::lastCommand = 0;

namespace {
const wchar_t kParentClass[] = L"ControlTestParent";

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (fw::Window::ReflectToChild(message, wParam, lParam, &result))
        return result;
    if (message == WM_COMMAND) {
        TestParent::lastCommand = wParam;
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0)
            ++TestParent::clicks;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

TestParent::TestParent() {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kParentClass;
        windowClass.hbrBackground = CreateSolidBrush(kParentColor);  // lives with the class
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"test parent", WS_POPUP | WS_VISIBLE, 100,
                            100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
    clicks = 0;
    lastCommand = 0;
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
