// The owner template for every kind of handle: GDI objects (framework/gdi.h), the HID
// seam's handles (reader/hid_owners.h), files and image lists.
//
// An owner frees its handle when it goes out of scope; a plain handle is always a borrowed
// one.
#pragma once

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

}  // namespace fw
