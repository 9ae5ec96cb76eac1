#include "settings/command_texts.h"

namespace settings {
namespace {

// The format command has texts of its own; the version query and both replacement commands
// share the general ones.
constexpr StepTexts kFormatSteps{Occasion::FormatSendTimeout, Occasion::FormatSent,
                                 Occasion::FormatReceiveTimeout};
constexpr StepTexts kCommandSteps{Occasion::CommandSendTimeout, Occasion::CommandSent,
                                  Occasion::CommandReceiveTimeout};

struct VerdictTexts {
    Occasion refused;
    Occasion accepted;
};

std::optional<VerdictTexts> VerdictTextsOf(reader::ReaderCommand command) {
    switch (command) {
        case reader::ReaderCommand::SetFormat:
            return VerdictTexts{Occasion::FormatRefused, Occasion::FormatAccepted};
        case reader::ReaderCommand::SetReplace:
            return VerdictTexts{Occasion::ReplaceRefused, Occasion::ReplaceAccepted};
        case reader::ReaderCommand::CancelReplace:
            return VerdictTexts{Occasion::CancelRefused, Occasion::CancelAccepted};
        case reader::ReaderCommand::QueryVersion:
            break;
    }
    return std::nullopt;
}

}  // namespace

const StepTexts& StepTextsOf(reader::ReaderCommand command) {
    return command == reader::ReaderCommand::SetFormat ? kFormatSteps : kCommandSteps;
}

std::optional<Occasion> VerdictText(reader::ReaderCommand command, reader::Verdict verdict) {
    const std::optional<VerdictTexts> texts = VerdictTextsOf(command);
    if (!texts)
        return std::nullopt;
    switch (verdict) {
        case reader::Verdict::Refused:
            return texts->refused;
        case reader::Verdict::Accepted:
            return texts->accepted;
        case reader::Verdict::Other:
            break;
    }
    return std::nullopt;
}

}  // namespace settings
