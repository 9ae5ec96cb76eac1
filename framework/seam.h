// A seam: the one place through which the program reaches a part of the system that tests
// stand in for (the HID calls, message boxes and pauses, the menu's view of the platform).
//
// The program always calls Current(), which is the system's implementation unless a
// substitute is installed. A substitute is installed only by a Substitute object, which puts
// back whatever was installed before it when it ends, so substitutes nest and unwind in order.
#pragma once

#include <utility>

namespace fw {

template <typename Interface>
class Seam {
public:
    explicit Seam(Interface& system) : system_(system) {}
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    Interface& Current() const { return installed_ != nullptr ? *installed_ : system_; }
    // The system's implementation, also while a substitute is installed: installing it over
    // a substitute lets the system answer for a while.
    Interface& System() const { return system_; }

    // Installs `substitute` in `seam` for its own lifetime.
    class Substitute {
    public:
        Substitute(Seam& seam, Interface& substitute)
            : seam_(seam), previous_(std::exchange(seam.installed_, &substitute)) {}
        ~Substitute() { seam_.installed_ = previous_; }
        Substitute(const Substitute&) = delete;
        Substitute& operator=(const Substitute&) = delete;

    private:
        Seam& seam_;
        Interface* previous_;
    };

private:
    Interface& system_;
    Interface* installed_ = nullptr;
};

}  // namespace fw
