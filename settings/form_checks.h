// Whether a form may be sent to the reader, and if not, why, in the window's own words: the
// occasion whose message the window shows when it refuses. One rule for the window, the
// companion and profiles: besides the reader's own rules, a sentinel that is a digit and a
// carriage return after a track that is not output are refused, as a till cannot use them.
#pragma once

#include <optional>

#include "reader/protocol.h"
#include "settings/ui_text.h"

std::optional<Occasion> FormatRefusal(const reader::FormatSettings& settings);
std::optional<Occasion> ReplaceRefusal(const reader::ReplaceSettings& settings);
