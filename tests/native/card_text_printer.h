// How a failing check shows card text: as the text it holds.
#pragma once

#include <ostream>

#include "settings/utf8.h"
#include "swipe/card_text.h"

namespace swipe {

inline void PrintTo(const CardText& text, std::ostream* out) {
    *out << '"' << text.view() << '"';
}
inline void PrintTo(const CardWide& text, std::ostream* out) {
    *out << "L\"" << settings::Utf8(text) << '"';
}

}  // namespace swipe
