#include "reader/run_exchange.h"

#include "reader/reader_turn.h"
#include "reader/report_exchange.h"

namespace reader {
namespace {

WhileWaiting Telling(ExchangeProgress* progress) {
    if (progress == nullptr)
        return {};
    return [progress](DWORD msLeft) { progress->Waiting(msLeft); };
}

}  // namespace

ExchangeOutcome RunExchange(ReaderLink& link, ReaderCommand command, const Bytes& payload,
                            ExchangeProgress* progress) {
    ExchangeOutcome outcome;
    const ReaderTurn turn(link.path(), Telling(progress));
    if (!turn.taken()) {
        outcome.end = ExchangeOutcome::End::ReaderBusy;
        return outcome;
    }
    AwaitQuiet(link, progress);
    ReportExchange exchange(link.handle(), Telling(progress));
    switch (exchange.Prepare(command, payload)) {
        case ReportExchange::Preparation::GateRefused:
            outcome.end = ExchangeOutcome::End::GateRefused;
            return outcome;
        case ReportExchange::Preparation::NoPreparsedData:
            // A reader pulled out since the last command has no description either; one
            // still there answers for its attributes.
            if (!link.StillAnswers()) {
                link.Close();
                outcome.end = ExchangeOutcome::End::ReaderGone;
                outcome.deviceGone = true;
                return outcome;
            }
            outcome.end = ExchangeOutcome::End::NoPreparsedData;
            return outcome;
        case ReportExchange::Preparation::ReportLengthUnsupported:
            outcome.end = ExchangeOutcome::End::ReportLengthUnsupported;
            return outcome;
        case ReportExchange::Preparation::Ready:
            break;
    }
    // The read is tried even after a failed send.
    outcome.sent = exchange.Send();
    if (progress != nullptr)
        progress->Sent(outcome.sent);
    const bool answered = exchange.Receive();
    // A reader that was pulled out is let go, so the next command says so and the next
    // search looks afresh.
    outcome.deviceGone = exchange.deviceGone();
    outcome.failure = exchange.failure();
    if (exchange.timedOut())
        link.KeepQuietUntil(CurrentHidApi().GetTickCount64() + kQuietAfterTimeoutMs);
    if (outcome.deviceGone)
        link.Close();
    if (!answered)
        return outcome;
    outcome.end = ExchangeOutcome::End::Answered;
    outcome.answer.assign(exchange.answer(), exchange.answer() + exchange.answerLength());
    return outcome;
}

void AwaitQuiet(ReaderLink& link, ExchangeProgress* progress) {
    if (link.IsOpen() && link.quietUntil() != 0) {
        ReportExchange exchange(link.handle(), Telling(progress));
        exchange.DropInputUntil(link.quietUntil());
    }
    link.KeepQuietUntil(0);
}

}  // namespace reader
