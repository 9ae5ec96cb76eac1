#include "cli/reader_tasks.h"

#include "app/ui_text.h"
#include "cli/failure_text.h"
#include "cli/system_reason.h"
#include "cli/window_text.h"
#include "reader/run_exchange.h"

namespace cli {
namespace {

using reader::ExchangeOutcome;
using reader::ReaderCommand;

// One command with the window's texts for its outcomes.
struct Step {
    ReaderCommand command;
    reader::Bytes payload;
    Occasion sendTimeout, receiveTimeout, refused, accepted;
};

Step FormatStep(const reader::FormatSettings& format) {
    return {ReaderCommand::SetFormat,    reader::FormatPayload(format),
            Occasion::FormatSendTimeout, Occasion::FormatReceiveTimeout,
            Occasion::FormatRefused,     Occasion::FormatAccepted};
}

Step ReplaceStep(const reader::ReplaceSettings& replace) {
    return {ReaderCommand::SetReplace,    reader::ReplacePayload(replace),
            Occasion::CommandSendTimeout, Occasion::CommandReceiveTimeout,
            Occasion::ReplaceRefused,     Occasion::ReplaceAccepted};
}

Step CancelStep() {
    return {ReaderCommand::CancelReplace, {},
            Occasion::CommandSendTimeout, Occasion::CommandReceiveTimeout,
            Occasion::CancelRefused,      Occasion::CancelAccepted};
}

// The window's text for `occasion`, then the failed call and the system's reason for it.
std::string WithCause(Occasion occasion, const reader::SystemFailure& failure) {
    const std::string cause = failure.operation == reader::Operation::None
                                  ? std::string()
                                  : CauseNote(failure.operation, SystemReason(failure.error));
    return WindowText(occasion) + cause;
}

// What an exchange that got no usable answer means; Success when it got one.
TaskResult Unanswered(const ExchangeOutcome& outcome, const Step& step) {
    switch (outcome.end) {
        case ExchangeOutcome::End::GateRefused:
            return {ExitCode::Unserved, {"The reader's report description refuses the report"}};
        case ExchangeOutcome::End::NoPreparsedData:
            return {ExitCode::Unserved, {WindowText(Occasion::CommandNoPreparsedData)}};
        case ExchangeOutcome::End::ReportLengthUnsupported:
            return {ExitCode::Unserved, {WindowText(Occasion::CommandReportSizeUnsupported)}};
        case ExchangeOutcome::End::NotAnswered:
            if (outcome.deviceGone)
                return {ExitCode::NoReader,
                        {WithCause(Occasion::DisconnectClosed, outcome.failure)}};
            return {ExitCode::Timeout,
                    {WithCause(outcome.sent ? step.receiveTimeout : step.sendTimeout,
                               outcome.failure)}};
        case ExchangeOutcome::End::Answered:
            break;
    }
    return {};
}

TaskResult RunStep(reader::ReaderLink& link, const Step& step) {
    const ExchangeOutcome outcome = reader::RunExchange(link, step.command, step.payload);
    if (outcome.end != ExchangeOutcome::End::Answered)
        return Unanswered(outcome, step);
    if (step.command == ReaderCommand::QueryVersion)
        return {ExitCode::Success,
                {reader::ExtractVersionText(outcome.answer.data(), outcome.answer.size())}};
    switch (reader::JudgeAnswer(outcome.answer.data(), outcome.answer.size())) {
        case reader::Verdict::Accepted:
            return {ExitCode::Success, {WindowText(step.accepted)}};
        case reader::Verdict::Refused:
            return {ExitCode::Refused, {WindowText(step.refused)}};
        case reader::Verdict::Other:
            break;
    }
    return {ExitCode::Unserved, {"The reader answered neither 'Y' nor 'N'"}};
}

std::vector<Step> StepsOf(const Invocation& invocation) {
    const Setup& setup = invocation.setup;
    const bool anyPair = setup.replace.enabled[0] || setup.replace.enabled[1];
    switch (invocation.command) {
        case Command::Version:
            return {{ReaderCommand::QueryVersion,
                     {},
                     Occasion::CommandSendTimeout,
                     Occasion::CommandReceiveTimeout,
                     Occasion::CommandSent,
                     Occasion::CommandSent}};
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
