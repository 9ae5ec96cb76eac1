// Whether two reader setups hold the same choices, field by field, for the targets that read
// setups from the command line and from profiles.
#pragma once

#include <algorithm>

#include "settings/choices.h"

inline bool SameSetup(const settings::Setup& a, const settings::Setup& b) {
    const reader::FormatSettings &f = a.format, &g = b.format;
    const reader::ReplaceSettings &r = a.replace, &s = b.replace;
    return std::equal(f.sentinels, f.sentinels + 6, g.sentinels) &&
           std::equal(f.outputTrack, f.outputTrack + 3, g.outputTrack) &&
           std::equal(f.crAfterTrack, f.crAfterTrack + 3, g.crAfterTrack) &&
           f.crAfterPacket == g.crAfterPacket && std::equal(r.enabled, r.enabled + 2, s.enabled) &&
           std::equal(r.original, r.original + 2, s.original) &&
           std::equal(r.replacement, r.replacement + 2, s.replacement);
}
