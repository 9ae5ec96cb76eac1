// Profiles: a whole reader setup in a small text file, one `name = value` line per choice
// (names and values as in choices.h, names in any case, blanks around `=` and commas as one
// likes), blank lines and lines starting with # allowed. The file is UTF-8 or UTF-16 (as
// Notepad saves "Unicode"), either with or without its byte-order mark.
// Choices a profile leaves out keep the window's defaults; a profile without replacements
// cancels them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "settings/choices.h"

namespace settings {

// A larger file is not a profile.
constexpr std::size_t kMaxProfileBytes = std::size_t{64} * 1024;

struct ProfileResult {
    std::optional<Setup> setup;
    std::string error;  // "line N: ..." or what is wrong with the whole text
};
// `text` is UTF-8, with or without its byte-order mark.
ProfileResult ParseProfile(const std::string& text);
// The bytes of a profile file in either encoding (settings/utf8.h tells them apart).
ProfileResult ReadProfile(std::string_view bytes);

// Every choice of `setup`, in the order of ChoiceNames().
std::string WriteProfile(const Setup& setup);

}  // namespace settings
