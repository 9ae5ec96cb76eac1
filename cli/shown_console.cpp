#include "cli/shown_console.h"

#include "swipe/shown_text.h"

namespace cli {

void ShownConsole::Out(std::string_view text) {
    if (showAllOut_)
        out_.Out(text);
    else
        out_.Out(Shown(text));
}

void ShownConsole::Err(std::string_view text) {
    out_.Err(Shown(text));
}

// The pieces between the texts kept as they are, masked; those texts as they are.
swipe::CardText ShownConsole::Shown(std::string_view text) const {
    swipe::CardText shown;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t keptAt = std::string_view::npos;
        std::size_t keptSize = 0;
        for (const std::string& kept : keptAsIs_) {
            const std::size_t found = kept.empty() ? std::string_view::npos : text.find(kept, at);
            if (found < keptAt) {
                keptAt = found;
                keptSize = kept.size();
            }
        }
        const std::size_t end = keptAt == std::string_view::npos ? text.size() : keptAt;
        shown += swipe::MaskedLine(text.substr(at, end - at));
        shown += text.substr(end, keptSize);
        at = end + keptSize;
    }
    return shown;
}

}  // namespace cli
