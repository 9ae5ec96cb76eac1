#include "settings/form_checks.h"

std::optional<Occasion> FormatRefusal(const reader::FormatSettings& settings) {
    switch (reader::CheckFormat(settings)) {
        case reader::FormatCheck::NoTrack:
            return Occasion::FormatNoTrack;
        case reader::FormatCheck::CrConflict:
            return Occasion::FormatCrConflict;
        case reader::FormatCheck::Ok:
            break;
    }
    // What a till cannot use: a digit between the card's digits, an Enter that never comes.
    for (const auto& sentinel : settings.sentinels)
        if (sentinel && *sentinel >= '0' && *sentinel <= '9')
            return Occasion::FormatDigitSentinel;
    for (int i = 0; i < 3; ++i)
        if (settings.crAfterTrack[i] && !settings.outputTrack[i])
            return Occasion::FormatReturnWithoutTrack;
    return std::nullopt;
}

std::optional<Occasion> ReplaceRefusal(const reader::ReplaceSettings& settings) {
    switch (reader::CheckReplace(settings)) {
        case reader::ReplaceCheck::NoPairChosen:
            return Occasion::ReplaceNoPairChosen;
        case reader::ReplaceCheck::PairIncomplete:
            return Occasion::ReplacePairIncomplete;
        case reader::ReplaceCheck::Ok:
            break;
    }
    return std::nullopt;
}
