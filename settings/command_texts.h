// What the settings window and zp350cli show at each step of a reader command, and for the
// reader's verdict on it: one table, so that both say the same thing on the same occasion.
#pragma once

#include <optional>

#include "reader/protocol.h"
#include "settings/ui_text.h"

namespace settings {

struct StepTexts {
    Occasion sendTimeout;     // the report did not go out whole
    Occasion sent;            // the report went out; the answer is awaited
    Occasion receiveTimeout;  // no whole answer came in time
};
const StepTexts& StepTextsOf(reader::ReaderCommand command);

// What the reader's verdict on `command` shows: none for an answer that is neither 'Y' nor
// 'N', and none for the version query, whose answer is its text.
std::optional<Occasion> VerdictText(reader::ReaderCommand command, reader::Verdict verdict);

}  // namespace settings
