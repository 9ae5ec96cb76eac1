#include "app/reader_commands.h"

#include <optional>
#include <utility>

#include "reader/run_exchange.h"
#include "settings/command_texts.h"
#include "settings/form_checks.h"

using reader::ReaderCommand;
using reader::ReaderLink;

namespace {

// Reports how the write went while the read is still waited for.
class SendReport : public reader::ExchangeProgress {
public:
    SendReport(CommandUi& ui, Occasion sent, Occasion timeout)
        : ui_(ui), sent_(sent), timeout_(timeout) {}
    void Sent(bool sent) override { ui_.Report(sent ? sent_ : timeout_); }
    void Waiting(DWORD msLeft) override { ui_.KeepAnswering(msLeft); }

private:
    CommandUi& ui_;
    Occasion sent_, timeout_;
};

}  // namespace

// --- Find and disconnect ---------------------------------------------------------------------

void ReaderCommands::FindDevice() {
    const ReaderLink::SearchResult result = link_.Find();
    switch (result.outcome) {
        case ReaderLink::Outcome::AlreadyOpen:
            ui_.Report(Occasion::FindAlreadyConnected);
            return;
        case ReaderLink::Outcome::NoDeviceList:
            ui_.Report(Occasion::FindNoDeviceList);
            return;
        case ReaderLink::Outcome::DetailFailed:
            ui_.Report(Occasion::FindDetailFailed);
            return;
        case ReaderLink::Outcome::Found:
            ui_.ShowStatus(FoundText(result.versionNumber, InEnglish()));
            break;
        case ReaderLink::Outcome::NotFound:
            ui_.Report(Occasion::FindNoReader);
            break;
    }
    // Every search that walked the whole list goes on to ask for the version.
    ui_.Pause(kPauseBeforeVersionMs);
    GetVersion();
}

void ReaderCommands::Disconnect() {
    ui_.Report(link_.Close() ? Occasion::DisconnectClosed : Occasion::DisconnectNoReader);
}

// --- Commands --------------------------------------------------------------------------------

void ReaderCommands::SetFormat(const reader::FormatSettings& form,
                               const std::optional<UnfitBox>& unfit) {
    if (!LinkReady())
        return;
    if (const auto refusal = FormatRefusal(form)) {
        Refuse(*refusal);
        ui_.EnableSetDevice();
        return;
    }
    if (RefusedFor(unfit)) {
        ui_.EnableSetDevice();
        return;
    }
    reader::Bytes answer;
    const Ending ending = Exchange(ReaderCommand::SetFormat, reader::FormatPayload(form), answer);
    if (ending == Ending::Answered)
        ReportVerdict(ReaderCommand::SetFormat, answer);
    if (ending != Ending::Silent)
        ui_.EnableSetDevice();
}

void ReaderCommands::GetVersion() {
    if (!LinkReady())
        return;
    reader::Bytes answer;
    const Ending ending = Exchange(ReaderCommand::QueryVersion, {}, answer);
    if (ending == Ending::Answered)
        ui_.ShowVersionText(reader::ExtractVersionText(answer.data(), answer.size()));
    if (ending != Ending::Silent)
        ui_.EnableSetDevice();
}

void ReaderCommands::SetReplace(const reader::ReplaceSettings& form,
                                const std::optional<UnfitBox>& unfit) {
    if (!LinkReady() || RefusedFor(unfit))
        return;
    if (const auto refusal = ReplaceRefusal(form)) {
        Refuse(*refusal);
        return;
    }

    reader::Bytes answer;
    if (Exchange(ReaderCommand::SetReplace, reader::ReplacePayload(form), answer) ==
        Ending::Answered)
        ReportVerdict(ReaderCommand::SetReplace, answer);
}

void ReaderCommands::CancelReplace() {
    if (!LinkReady())
        return;
    reader::Bytes answer;
    if (Exchange(ReaderCommand::CancelReplace, {}, answer) == Ending::Answered &&
        ReportVerdict(ReaderCommand::CancelReplace, answer))
        ui_.ReplacementsCancelled();
}

// --- The exchange ----------------------------------------------------------------------------

// A refused form: its notice in the box, and on the status line in place of whatever the
// last command said there.
void ReaderCommands::Refuse(Occasion refusal) {
    ui_.ShowStatus(MessageFor(refusal).Text(InEnglish()));
    ui_.Report(refusal);
}

bool ReaderCommands::RefusedFor(const std::optional<UnfitBox>& unfit) {
    if (!unfit)
        return false;
    const std::wstring text = UnfitBoxText(*unfit, InEnglish());
    ui_.ShowStatus(text);
    ui_.ShowErrorBox(text);
    return true;
}

bool ReaderCommands::LinkReady() {
    if (link_.IsOpen())
        return true;
    ui_.Report(Occasion::CommandNoReader);
    ui_.EnableSetDevice();
    return false;
}

ReaderCommands::Ending ReaderCommands::Exchange(ReaderCommand command, const reader::Bytes& payload,
                                                reader::Bytes& answer) {
    const settings::StepTexts& texts = settings::StepTextsOf(command);
    // A transfer that failed, for whatever reason, gets the step's timeout notice; only one
    // that ended well gets its success text.
    SendReport sendReport(ui_, texts.sent, texts.sendTimeout);
    reader::ExchangeOutcome outcome = reader::RunExchange(link_, command, payload, &sendReport);
    using End = reader::ExchangeOutcome::End;
    switch (outcome.end) {
        case End::GateRefused:
            return Ending::Silent;
        case End::ReaderGone:
            ui_.Report(Occasion::CommandNoReader);
            return Ending::NotAnswered;
        case End::NoPreparsedData:
            ui_.Report(Occasion::CommandNoPreparsedData);
            return Ending::NotAnswered;
        case End::ReportLengthUnsupported:
            ui_.Report(Occasion::CommandReportSizeUnsupported);
            return Ending::NotAnswered;
        case End::ReaderBusy:
            ui_.Report(Occasion::ReaderBusy);
            return Ending::NotAnswered;
        case End::NotAnswered:
            ui_.Report(texts.receiveTimeout);
            return Ending::NotAnswered;
        case End::Answered:
            break;
    }
    answer = std::move(outcome.answer);
    return Ending::Answered;
}

// 'N' refuses and 'Y' accepts; any other byte adds nothing to what the status line says.
bool ReaderCommands::ReportVerdict(ReaderCommand command, const reader::Bytes& answer) {
    const reader::Verdict verdict = reader::JudgeAnswer(answer.data(), answer.size());
    if (const std::optional<Occasion> text = settings::VerdictText(command, verdict))
        ui_.Report(*text);
    return verdict == reader::Verdict::Accepted;
}
