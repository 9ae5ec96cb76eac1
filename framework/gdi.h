// RAII owners for GDI handles, and the owner template for any other kind.
//
// Owning types delete their handle when they go out of scope; a plain handle (HDC, HBITMAP,
// ...) is always a borrowed one. A Selection puts the previous object back into its device
// context when it ends, so declare it after the object it selects: the selection is then
// undone before the object is deleted.
#pragma once

#include <windows.h>

#include <unordered_set>
#include <utility>

namespace fw {

// The handles that owners have taken and that nobody has freed yet; tests use it to find
// leaks. A handle released to the caller stays in it until an owner frees it; one handed to
// the system (which frees it itself) leaves it.
inline std::unordered_set<const void*>& LiveHandleSet() {
    static std::unordered_set<const void*> live;
    return live;
}
inline long LiveOwnedHandles() {
    return static_cast<long>(LiveHandleSet().size());
}

// Owns one handle. `Traits` says which value means none, which values are handles and how
// to free one; it is kept in the owner, so it may carry what freeing needs (the interface
// that handed the handle out, for instance).
template <typename Handle, typename Traits>
class Owned {
public:
    Owned() = default;
    explicit Owned(Handle h, Traits traits = Traits()) : traits_(traits) { reset(h); }
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept
        : traits_(other.traits_), handle_(std::exchange(other.handle_, Traits::none())) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset();
            traits_ = other.traits_;
            handle_ = std::exchange(other.handle_, Traits::none());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    // The caller owns the handle from now on; it still counts as live until freed.
    Handle release() { return std::exchange(handle_, Traits::none()); }
    // The system has taken the handle and frees it itself.
    void HandToSystem() {
        if (Traits::valid(handle_))
            LiveHandleSet().erase(Key(handle_));
        handle_ = Traits::none();
    }
    void reset(Handle h = Traits::none()) {
        if (Traits::valid(handle_)) {
            traits_.close(handle_);
            LiveHandleSet().erase(Key(handle_));
        }
        handle_ = h;
        if (Traits::valid(handle_))
            LiveHandleSet().insert(Key(handle_));
    }

private:
    static const void* Key(Handle h) { return reinterpret_cast<const void*>(h); }

    Traits traits_{};
    Handle handle_ = Traits::none();
};

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
