#include "cli/reader_tasks.h"

#include "cli/failure_text.h"
#include "reader/run_exchange.h"
#include "settings/command_texts.h"
#include "settings/system_reason.h"
#include "settings/ui_text.h"
#include "settings/window_text.h"

namespace cli {

using settings::Setup;
using settings::SystemReason;

namespace {

using reader::ExchangeOutcome;
using reader::ReaderCommand;

// One command and its report.
struct Step {
    ReaderCommand command;
    reader::Bytes payload;
};

Step FormatStep(const reader::FormatSettings& format) {
    return {ReaderCommand::SetFormat, reader::FormatPayload(format)};
}

Step ReplaceStep(const reader::ReplaceSettings& replace) {
    return {ReaderCommand::SetReplace, reader::ReplacePayload(replace)};
}

Step CancelStep() {
    return {ReaderCommand::CancelReplace, {}};
}

// The window's text for `occasion`, then the failed call and the system's reason for it.
std::string WithCause(Occasion occasion, const reader::SystemFailure& failure) {
    const std::string cause = failure.operation == reader::Operation::None
                                  ? std::string()
                                  : CauseNote(failure.operation, SystemReason(failure.error));
    return ConsoleText(occasion) + cause;
}

// What an exchange that got no usable answer means; Success when it got one.
TaskResult Unanswered(const ExchangeOutcome& outcome, ReaderCommand command) {
    const settings::StepTexts& texts = settings::StepTextsOf(command);
    switch (outcome.end) {
        case ExchangeOutcome::End::GateRefused:
            return {ExitCode::Unserved, {"The reader's report description refuses the report"}};
        case ExchangeOutcome::End::ReaderGone:
            return {ExitCode::NoReader, {ConsoleText(Occasion::CommandNoReader)}};
        case ExchangeOutcome::End::NoPreparsedData:
            return {ExitCode::Unserved, {ConsoleText(Occasion::CommandNoPreparsedData)}};
        case ExchangeOutcome::End::ReportLengthUnsupported:
            return {ExitCode::Unserved, {ConsoleText(Occasion::CommandReportSizeUnsupported)}};
        case ExchangeOutcome::End::ReaderBusy:
            return {ExitCode::Busy, {ConsoleText(Occasion::ReaderBusy)}};
        case ExchangeOutcome::End::NotAnswered:
            if (outcome.deviceGone)
                return {ExitCode::NoReader,
                        {WithCause(Occasion::DisconnectClosed, outcome.failure)}};
            return {ExitCode::Timeout,
                    {WithCause(outcome.sent ? texts.receiveTimeout : texts.sendTimeout,
                               outcome.failure)}};
        case ExchangeOutcome::End::Answered:
            break;
    }
    return {};
}

TaskResult RunStep(reader::ReaderLink& link, const Step& step) {
    const ExchangeOutcome outcome = reader::RunExchange(link, step.command, step.payload);
    if (outcome.end != ExchangeOutcome::End::Answered)
        return Unanswered(outcome, step.command);
    if (step.command == ReaderCommand::QueryVersion)
        return {ExitCode::Success,
                {reader::ExtractVersionText(outcome.answer.data(), outcome.answer.size())}};
    const reader::Verdict verdict =
        reader::JudgeAnswer(outcome.answer.data(), outcome.answer.size());
    if (const std::optional<Occasion> text = settings::VerdictText(step.command, verdict))
        return {verdict == reader::Verdict::Accepted ? ExitCode::Success : ExitCode::Refused,
                {ConsoleText(*text)}};
    return {ExitCode::Unserved, {"The reader answered neither 'Y' nor 'N'"}};
}

std::vector<Step> StepsOf(const Invocation& invocation) {
    const Setup& setup = invocation.setup;
    const bool anyPair = setup.replace.enabled[0] || setup.replace.enabled[1];
    switch (invocation.command) {
        case Command::Version:
            return {{ReaderCommand::QueryVersion, {}}};
        case Command::Set:
        case Command::Defaults:
            return {FormatStep(setup.format)};
        case Command::Replace:
            return {ReplaceStep(setup.replace)};
        case Command::CancelReplace:
            return {CancelStep()};
        case Command::Apply:
            return {FormatStep(setup.format), anyPair ? ReplaceStep(setup.replace) : CancelStep()};
        default:
            return {};
    }
}

}  // namespace

TaskResult RunOnReader(const Invocation& invocation, const std::string& path) {
    reader::ReaderLink link;
    if (!link.Open(path))
        return {ExitCode::NoReader, {WithCause(Occasion::CommandNoReader, link.openFailure())}};
    TaskResult result;
    for (const Step& step : StepsOf(invocation)) {
        TaskResult done = RunStep(link, step);
        result.code = done.code;
        result.lines.insert(result.lines.end(), done.lines.begin(), done.lines.end());
        if (done.code != ExitCode::Success || !link.IsOpen())
            break;
    }
    reader::AwaitQuiet(link);
    return result;
}

std::optional<std::string> ReadVersionText(const std::string& path) {
    Invocation version;
    version.command = Command::Version;
    const TaskResult result = RunOnReader(version, path);
    if (result.code != ExitCode::Success || result.lines.empty())
        return std::nullopt;
    return result.lines[0];
}

}  // namespace cli
