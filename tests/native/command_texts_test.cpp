// What the window and the companion say at each step of a command and for the reader's
// verdict: the format command speaks of the format, the others of the command in general,
// and only the three setting commands are judged.
#include <gtest/gtest.h>

#include <optional>

#include "settings/command_texts.h"

namespace {

using reader::ReaderCommand;
using reader::Verdict;

struct CommandRow {
    const char* name;
    ReaderCommand command;
    Occasion sent;
    std::optional<Occasion> refused;
    std::optional<Occasion> accepted;
};

const CommandRow kCommands[] = {
    {"format", ReaderCommand::SetFormat, Occasion::FormatSent, Occasion::FormatRefused,
     Occasion::FormatAccepted},
    {"replace", ReaderCommand::SetReplace, Occasion::CommandSent, Occasion::ReplaceRefused,
     Occasion::ReplaceAccepted},
    {"cancel", ReaderCommand::CancelReplace, Occasion::CommandSent, Occasion::CancelRefused,
     Occasion::CancelAccepted},
    {"version", ReaderCommand::QueryVersion, Occasion::CommandSent, std::nullopt, std::nullopt},
};

TEST(CommandTexts, EachCommandsStepsAndVerdicts) {
    for (const CommandRow& row : kCommands) {
        SCOPED_TRACE(row.name);
        const settings::StepTexts& steps = settings::StepTextsOf(row.command);
        EXPECT_EQ(steps.sent, row.sent);
        EXPECT_EQ(settings::VerdictText(row.command, Verdict::Refused), row.refused);
        EXPECT_EQ(settings::VerdictText(row.command, Verdict::Accepted), row.accepted);
        EXPECT_EQ(settings::VerdictText(row.command, Verdict::Other), std::nullopt);
    }
    const settings::StepTexts& format = settings::StepTextsOf(ReaderCommand::SetFormat);
    EXPECT_EQ(format.sendTimeout, Occasion::FormatSendTimeout);
    EXPECT_EQ(format.receiveTimeout, Occasion::FormatReceiveTimeout);
    const settings::StepTexts& other = settings::StepTextsOf(ReaderCommand::SetReplace);
    EXPECT_EQ(other.sendTimeout, Occasion::CommandSendTimeout);
    EXPECT_EQ(other.receiveTimeout, Occasion::CommandReceiveTimeout);
}

}  // namespace
