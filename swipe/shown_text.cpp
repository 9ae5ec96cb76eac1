#include "swipe/shown_text.h"

namespace swipe {
namespace {

// The most digits in a row a line may show: a number's first six.
constexpr std::size_t kShownDigits = 6;

// Escaped text masked as a reader may read it either way: each escape as the characters it
// is written with (its hexadecimal digits), and as the separator it stands for.
CardText MaskedBothWays(std::string_view escaped, const MaskOptions& options) {
    MaskOptions asWritten = options;
    asWritten.escaped = false;
    MaskOptions asEscapes = options;
    asEscapes.escaped = true;
    return MaskNumbers(MaskNumbers(escaped, asWritten), asEscapes);
}

}  // namespace

CardText ShownText(std::string_view text, const ShowRule& rule, settings::EscapeFor use) {
    return ShownText(text, Visible(), rule, use);
}

CardText ShownText(std::string_view text, const Visible& visible, const ShowRule& rule,
                   settings::EscapeFor use) {
    if (rule.showAll)
        return settings::Escaped<CardText>(text, std::string_view::npos, use);
    const CardText masked = HideDigits(text, visible, rule.mask);
    return MaskedBothWays(settings::Escaped<CardText>(masked, std::string_view::npos, use),
                          rule.mask);
}

CardText ShownLine(std::string_view composed, const ShowRule& rule) {
    if (rule.showAll)
        return CardText(composed);
    return MaskedBothWays(composed, rule.mask);
}

CardText MaskedLine(std::string_view escaped) {
    // Every run of digits of a script longer than what a number may show, then every run of
    // what a layout's digit keys type longer than that with a quote or bracket on either side
    // (in the line's own words they are punctuation), then numbers as any reading finds them.
    MaskOptions runs;
    runs.shortest = kShownDigits + 1;
    runs.keepEnds = false;
    runs.layouts = false;
    // Read through a layout, a quote or bracket of the line's own may join a run: two more.
    MaskOptions keys = runs;
    keys.shortest = kShownDigits + 3;
    keys.layouts = true;
    return MaskedBothWays(MaskedBothWays(MaskedBothWays(escaped, runs), keys), MaskOptions());
}

}  // namespace swipe
