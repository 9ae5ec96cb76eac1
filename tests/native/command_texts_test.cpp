// What the window and the companion say at each step of a command and for the reader's
// verdict, as a user reads it: the format command speaks of the format, the others of the
// command in general, and only the three setting commands are judged.
#include <gtest/gtest.h>

#include <string>

#include "settings/command_texts.h"

namespace {

using reader::ReaderCommand;
using reader::Verdict;
using Step = Occasion settings::StepTexts::*;

TEST(CommandTexts, EachStepSaysWhereTheCommandIs) {
    const struct {
        const char* name;
        ReaderCommand command;
        Step step;
        const wchar_t* english;
        Shown shown;
    } cases[] = {
        {"format sent", ReaderCommand::SetFormat, &settings::StepTexts::sent, L"Send data success",
         Shown::Status},
        {"format not sent", ReaderCommand::SetFormat, &settings::StepTexts::sendTimeout,
         L"Send data timeout!", Shown::Status},
        {"format not answered", ReaderCommand::SetFormat, &settings::StepTexts::receiveTimeout,
         L"Receive data timeout", Shown::StatusAndBox},
        {"replace sent", ReaderCommand::SetReplace, &settings::StepTexts::sent, L"Set Command OK!",
         Shown::Status},
        {"replace not sent", ReaderCommand::SetReplace, &settings::StepTexts::sendTimeout,
         L"Send data timeout!", Shown::Box},
        {"cancel not answered", ReaderCommand::CancelReplace, &settings::StepTexts::receiveTimeout,
         L"Receive data timeout!", Shown::Status},
        {"version sent", ReaderCommand::QueryVersion, &settings::StepTexts::sent,
         L"Set Command OK!", Shown::Status},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Message& message = MessageFor(settings::StepTextsOf(c.command).*c.step);
        EXPECT_EQ(std::wstring(message.english), c.english);
        EXPECT_EQ(message.shown, c.shown);
    }
}

TEST(CommandTexts, EachVerdictNamesItsCommand) {
    const struct {
        const char* name;
        ReaderCommand command;
        Verdict verdict;
        const wchar_t* english;  // null: no text, the answer is not judged
    } cases[] = {
        {"format accepted", ReaderCommand::SetFormat, Verdict::Accepted, L"Set format OK!"},
        {"format refused", ReaderCommand::SetFormat, Verdict::Refused, L"Set format failed!"},
        {"replace accepted", ReaderCommand::SetReplace, Verdict::Accepted,
         L"Set replace character OK!"},
        {"replace refused", ReaderCommand::SetReplace, Verdict::Refused,
         L"Set replace character failed!"},
        {"cancel accepted", ReaderCommand::CancelReplace, Verdict::Accepted,
         L"Cancle replace character command  OK!"},
        {"cancel refused", ReaderCommand::CancelReplace, Verdict::Refused,
         L"Cancle replace character command failed!"},
        {"format, another answer", ReaderCommand::SetFormat, Verdict::Other, nullptr},
        {"the version is its own answer", ReaderCommand::QueryVersion, Verdict::Accepted, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Occasion> occasion = settings::VerdictText(c.command, c.verdict);
        ASSERT_EQ(occasion.has_value(), c.english != nullptr);
        if (occasion) {
            EXPECT_EQ(std::wstring(MessageFor(*occasion).english), c.english);
        }
    }
}

}  // namespace
