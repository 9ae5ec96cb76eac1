// The owner template for every kind of handle: GDI objects (framework/gdi.h), the HID
// seam's handles (reader/hid_owners.h), files and image lists.
//
// An owner frees its handle when it goes out of scope; a plain handle is always a borrowed
// one.
#pragma once

#include <utility>

namespace fw {

// Test programs count the handles that owners hold, to find leaks; they build with
// ZP350_COUNT_OWNED_HANDLES and bring the tally (tests/win32/support/owned_handle_tally.h).
// The program itself keeps no tally.
namespace tally {
#ifdef ZP350_COUNT_OWNED_HANDLES
void Taken(const void* handle);
void Freed(const void* handle);
#else
inline void Taken(const void*) {}
inline void Freed(const void*) {}
#endif
}  // namespace tally

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
            tally::Freed(Key(handle_));
        handle_ = Traits::none();
    }
    void reset(Handle h = Traits::none()) {
        if (Traits::valid(handle_)) {
            traits_.close(handle_);
            tally::Freed(Key(handle_));
        }
        handle_ = h;
        if (Traits::valid(handle_))
            tally::Taken(Key(handle_));
    }

private:
    static const void* Key(Handle h) { return reinterpret_cast<const void*>(h); }

    Traits traits_{};
    Handle handle_ = Traits::none();
};

}  // namespace fw
