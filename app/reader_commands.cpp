#include "app/reader_commands.h"

#include "reader/report_exchange.h"
#include "res/resource.h"

using reader::ReaderCommand;
using reader::ReaderLink;
using reader::ReportExchange;

namespace {

const int kSentinelBoxes[6] = {IDC_TRACK1_START, IDC_TRACK1_END,   IDC_TRACK2_START,
                               IDC_TRACK2_END,   IDC_TRACK3_START, IDC_TRACK3_END};
const int kTrackBoxes[3] = {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3};
const int kTrackCrBoxes[3] = {IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3};

const int kAllowBoxes[2] = {IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2};
const int kOriginalBoxes[2] = {IDC_PAIR1_CHAR, IDC_PAIR2_CHAR};
const int kReplacementBoxes[2] = {IDC_PAIR1_REPLACEMENT, IDC_PAIR2_REPLACEMENT};

}  // namespace

const ReaderCommands::Texts ReaderCommands::kCommandTexts{
    Occasion::CommandSendTimeout, Occasion::CommandSent, Occasion::CommandReceiveTimeout};

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

void ReaderCommands::SetFormat() {
    if (!LinkReady())
        return;

    reader::FormatSettings form;
    for (int i = 0; i < 3; ++i)
        form.outputTrack[i] = ui_.IsChecked(kTrackBoxes[i]);
    if (!reader::AnyTrackChosen(form)) {
        ui_.Report(Occasion::FormatNoTrack);
        ui_.EnableSetDevice();
        return;
    }
    for (int i = 0; i < 6; ++i)
        form.sentinels[i] = ui_.FirstAnsiByte(kSentinelBoxes[i]);
    form.crAfterPacket = ui_.IsChecked(IDC_CR_PACKET);
    for (int i = 0; i < 3; ++i)
        form.crAfterTrack[i] = ui_.IsChecked(kTrackCrBoxes[i]);

    const Texts texts{Occasion::FormatSendTimeout, Occasion::FormatSent,
                      Occasion::FormatReceiveTimeout};
    reader::Bytes answer;
    const Ending ending =
        Exchange(ReaderCommand::SetFormat, reader::FormatPayload(form), texts, answer);
    if (ending == Ending::Answered)
        ReportVerdict(answer, Occasion::FormatRefused, Occasion::FormatAccepted);
    if (ending != Ending::Silent)
        ui_.EnableSetDevice();
}

void ReaderCommands::GetVersion() {
    if (!LinkReady())
        return;
    reader::Bytes answer;
    const Ending ending = Exchange(ReaderCommand::QueryVersion, {}, kCommandTexts, answer);
    if (ending == Ending::Answered)
        ui_.ShowVersionText(reader::ExtractVersionText(answer.data(), answer.size()));
    if (ending != Ending::Silent)
        ui_.EnableSetDevice();
}

void ReaderCommands::SetReplace() {
    if (!LinkReady())
        return;

    reader::ReplaceSettings form;
    for (int pair = 0; pair < 2; ++pair) {
        form.enabled[pair] = ui_.IsChecked(kAllowBoxes[pair]);
        form.original[pair] = ui_.FirstAnsiByte(kOriginalBoxes[pair]);
        form.replacement[pair] = ui_.FirstAnsiByte(kReplacementBoxes[pair]);
    }
    switch (reader::CheckReplace(form)) {
        case reader::ReplaceCheck::NoPairChosen:
            ui_.Report(Occasion::ReplaceNoPairChosen);
            return;
        case reader::ReplaceCheck::PairIncomplete:
            ui_.Report(Occasion::ReplacePairIncomplete);
            return;
        case reader::ReplaceCheck::Ok:
            break;
    }

    reader::Bytes answer;
    if (Exchange(ReaderCommand::SetReplace, reader::ReplacePayload(form), kCommandTexts, answer) ==
        Ending::Answered)
        ReportVerdict(answer, Occasion::ReplaceRefused, Occasion::ReplaceAccepted);
}

void ReaderCommands::CancelReplace() {
    if (!LinkReady())
        return;
    reader::Bytes answer;
    if (Exchange(ReaderCommand::CancelReplace, {}, kCommandTexts, answer) == Ending::Answered)
        ReportVerdict(answer, Occasion::CancelRefused, Occasion::CancelAccepted);
}

// --- The exchange ----------------------------------------------------------------------------

bool ReaderCommands::LinkReady() {
    if (link_.IsOpen())
        return true;
    ui_.Report(Occasion::CommandNoReader);
    ui_.EnableSetDevice();
    return false;
}

ReaderCommands::Ending ReaderCommands::Exchange(ReaderCommand command, const reader::Bytes& payload,
                                                const Texts& texts, reader::Bytes& answer) {
    ReportExchange exchange(link_.handle());
    switch (exchange.Prepare(command, payload)) {
        case ReportExchange::Preparation::GateRefused:
            return Ending::Silent;
        case ReportExchange::Preparation::NoPreparsedData:
            ui_.Report(Occasion::CommandNoPreparsedData);
            return Ending::NotAnswered;
        case ReportExchange::Preparation::ReportLengthUnsupported:
            ui_.Report(Occasion::CommandReportSizeUnsupported);
            return Ending::NotAnswered;
        case ReportExchange::Preparation::Ready:
            break;
    }
    // The read is tried even after a failed send. A transfer that failed, for whatever
    // reason, gets the step's timeout notice; only one that ended well gets its success text.
    ui_.Report(exchange.Send() ? texts.sent : texts.sendTimeout);
    const bool answered = exchange.Receive();
    // A reader that was pulled out is let go, so the next command says so and the next
    // search looks afresh.
    if (exchange.deviceGone())
        link_.Close();
    if (!answered) {
        ui_.Report(texts.receiveTimeout);
        return Ending::NotAnswered;
    }
    answer.assign(exchange.answer(), exchange.answer() + exchange.answerLength());
    return Ending::Answered;
}

// 'N' refuses and 'Y' accepts; any other byte adds nothing to what the status line says.
void ReaderCommands::ReportVerdict(const reader::Bytes& answer, Occasion refused,
                                   Occasion accepted) {
    switch (reader::JudgeAnswer(answer.data(), answer.size())) {
        case reader::Verdict::Refused:
            ui_.Report(refused);
            break;
        case reader::Verdict::Accepted:
            ui_.Report(accepted);
            break;
        case reader::Verdict::Other:
            break;
    }
}
