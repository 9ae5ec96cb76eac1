// RAII owners for GDI handles and scoped guards for device contexts.
//
// Owning types delete their handle when they go out of scope; a plain handle (HDC, HBITMAP,
// ...) is always a borrowed one. A Selection puts the previous object back into its device
// context when it ends, so declare it after the object it selects: the selection is then
// undone before the object is deleted.
#pragma once

#include <windows.h>

#include "framework/owned.h"

namespace fw {

template <typename H>
struct GdiTraits {
    static H none() { return nullptr; }
    static bool valid(H h) { return h != nullptr; }
    void close(H h) const { DeleteObject(h); }
};
struct DcTraits {
    static HDC none() { return nullptr; }
    static bool valid(HDC h) { return h != nullptr; }
    void close(HDC h) const { DeleteDC(h); }
};
struct IconTraits {
    static HICON none() { return nullptr; }
    static bool valid(HICON h) { return h != nullptr; }
    void close(HICON h) const { DestroyIcon(h); }
};

using Brush = Owned<HBRUSH, GdiTraits<HBRUSH>>;
using Pen = Owned<HPEN, GdiTraits<HPEN>>;
using Font = Owned<HFONT, GdiTraits<HFONT>>;
using Bitmap = Owned<HBITMAP, GdiTraits<HBITMAP>>;
using Region = Owned<HRGN, GdiTraits<HRGN>>;
using MemoryDc = Owned<HDC, DcTraits>;  // from CreateCompatibleDC
using Icon = Owned<HICON, IconTraits>;
struct CursorTraits {
    static HCURSOR none() { return nullptr; }
    static bool valid(HCURSOR h) { return h != nullptr; }
    void close(HCURSOR h) const { DestroyCursor(h); }
};
using Cursor = Owned<HCURSOR, CursorTraits>;  // made by the program, not a shared one

// Selects an object into a device context for the lifetime of this value.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (dc_ && previous_)
            SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's client-area device context (GetDC / ReleaseDC).
class ClientDc {
public:
    explicit ClientDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~ClientDc() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
    }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

}  // namespace fw
