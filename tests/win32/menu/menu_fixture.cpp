#include "menu_fixture.h"

#include <algorithm>
#include <vector>

#include "framework/gdi.h"
#include "framework/window.h"
#include "menu/menu_paint.h"

LookScope::LookScope(int versionCode, bool classicTheme)
    : versionCode_(versionCode), classicTheme_(classicTheme), previous_(SetMenuPlatform(this)) {}

LookScope::~LookScope() {
    SetMenuPlatform(previous_);
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
    const RECT all{0, 0, width_, height_};
    const RECT& scan = area ? *area : all;
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

ULONG_PTR ItemData(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

void DrawMenuItem(KelMenu& popup, int position, UINT itemState, Canvas& canvas, int width,
                  int height) {
    DRAWITEMSTRUCT request{};
    request.CtlType = ODT_MENU;
    request.itemID = GetMenuItemID(popup.menu(), position);
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = itemState;
    request.hwndItem = reinterpret_cast<HWND>(popup.menu());
    request.hDC = canvas.dc();
    request.rcItem = {0, 0, width, height};
    request.itemData = ItemData(popup.menu(), position);
    popup.DrawItem(request);
    GdiFlush();
}

SIZE MeasureMenuItem(KelMenu& popup, int position) {
    MEASUREITEMSTRUCT request{};
    request.CtlType = ODT_MENU;
    request.itemID = GetMenuItemID(popup.menu(), position);
    request.itemData = ItemData(popup.menu(), position);
    popup.MeasureItem(&request);
    return {static_cast<LONG>(request.itemWidth), static_cast<LONG>(request.itemHeight)};
}

int MenuTextWidth(const std::wstring& text) {
    fw::ClientDc dc(GetDesktopWindow());
    fw::Font font = CreateMenuFont();
    fw::Selection selection(dc.get(), font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

WPARAM MenuTestParent::lastCommand = 0;

namespace {
const wchar_t kParentClass[] = L"MenuTestParent";

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (fw::Window::ReflectToChild(message, wParam, lParam, &result))
        return result;
    if (message == WM_COMMAND)
        MenuTestParent::lastCommand = wParam;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

MenuTestParent::MenuTestParent() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kParentClass;
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassW(&windowClass);
        registered = true;
    }
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, kParentClass, L"menu test", WS_POPUP | WS_VISIBLE, 100,
                            100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
    lastCommand = 0;
}

MenuTestParent::~MenuTestParent() {
    DestroyWindow(hwnd_);
}

HWND MenuTestParent::AddButton(int id, int x, int y, int width, int height) {
    return CreateWindowW(L"BUTTON", L"Menu", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, y, width,
                         height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}
