// Profiles: a whole reader setup in a small UTF-8 text file, one `name = value` line per
// choice (names and values as in choices.h), blank lines and lines starting with # allowed.
// Choices a profile leaves out keep the window's defaults; a profile without replacements
// cancels them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "settings/choices.h"

namespace settings {

// A larger file is not a profile.
constexpr std::size_t kMaxProfileBytes = std::size_t{64} * 1024;

struct ProfileResult {
    std::optional<Setup> setup;
    std::string error;  // "line N: ..." or what is wrong with the whole text
};
ProfileResult ParseProfile(const std::string& text);

// Every choice of `setup`, in the order of ChoiceNames().
std::string WriteProfile(const Setup& setup);

}  // namespace settings
