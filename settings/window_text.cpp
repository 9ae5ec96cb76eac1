#include "settings/window_text.h"

namespace settings {

std::string WindowText(Occasion occasion) {
    const std::string text = Utf8(MessageFor(occasion).english);
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty() && line.back() != ' ')
                line += ' ';
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace settings
