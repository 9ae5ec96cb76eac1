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

namespace {

// PNG's chunk check (CRC-32, polynomial 0xEDB88320) of `bytes` from index `from` on.
std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typed = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, Crc32(out, typed));
}

// `raw` as a zlib stream of stored (uncompressed) blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t length = std::min<std::size_t>(raw.size() - done, 0xFFFF);
        out.push_back(done + length == raw.size() ? 1 : 0);
        for (std::uint32_t half :
             {static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(length ^ 0xFFFF)}) {
            out.push_back(static_cast<std::uint8_t>(half));
            out.push_back(static_cast<std::uint8_t>(half >> 8));
        }
        out.insert(out.end(), raw.begin() + done, raw.begin() + done + length);
        done += length;
    } while (done < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(out, (b << 16) | a);
    return out;
}

}  // namespace

// An RGB PNG of the canvas, uncompressed: pictures for people to look at, not to compare.
void Canvas::SavePng(const wchar_t* path) const {
    GdiFlush();
    std::vector<std::uint8_t> rows;
    for (int y = 0; y < height_; ++y) {
        rows.push_back(0);  // no filter
        for (int x = 0; x < width_; ++x) {
            const COLORREF color = Pixel(x, y);
            rows.insert(rows.end(), {GetRValue(color), GetGValue(color), GetBValue(color)});
        }
    }
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(width_));
    PutBigEndian(header, static_cast<std::uint32_t>(height_));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", StoredZlib(rows));
    PutChunk(png, "IEND", {});
    if (FILE* out = _wfopen(path, L"wb")) {
        std::fwrite(png.data(), png.size(), 1, out);
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
