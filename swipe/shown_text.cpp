#include "swipe/shown_text.h"

namespace swipe {

CardText ShownText(std::string_view text, const ShowRule& rule, settings::EscapeFor use) {
    if (rule.showAll)
        return settings::Escaped<CardText>(text, std::string_view::npos, use);
    const CardText masked = MaskNumbers(text, rule.mask);
    MaskOptions escaped = rule.mask;
    escaped.escaped = true;
    return MaskNumbers(settings::Escaped<CardText>(masked, std::string_view::npos, use), escaped);
}

CardText MaskedLine(std::string_view escaped) {
    MaskOptions options;
    options.escaped = true;
    return MaskNumbers(escaped, options);
}

}  // namespace swipe
