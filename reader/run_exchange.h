// One command over an open reader link, from building the report to the answer, handed back
// as a plain outcome. The settings window and the command-line program both run their
// commands through here and differ only in how they tell the user.
#pragma once

#include "reader/protocol.h"
#include "reader/reader_link.h"
#include "reader/transfer_errors.h"

namespace reader {

struct ExchangeOutcome {
    enum class End {
        Answered,                 // `answer` holds the input report
        NotAnswered,              // no whole answer within the time allowed
        ReaderGone,               // the reader was pulled out before: the link is closed
        NoPreparsedData,          // no report description: nothing was sent
        ReportLengthUnsupported,  // the command or an answer does not fit: nothing was sent
        GateRefused,              // the HID parser refused the report: nothing was sent
        ReaderBusy,               // another program kept the reader's turn: nothing was sent
    };
    End end = End::NotAnswered;
    bool sent = false;        // the report went out whole
    bool deviceGone = false;  // a transfer showed that the reader was pulled out
    SystemFailure failure;    // the failed transfer that explains the outcome, if any
    Bytes answer;
};

// Told between the write and the read, so that a window can say how the write went while
// the read is still waited for; and told again and again while a transfer or the reader's
// turn is waited for, at most kWaitSliceMs apart, with the milliseconds that wait has left, so
// that a window can go on answering its messages meanwhile and end in time a modal loop that
// one of them begins.
class ExchangeProgress {
public:
    virtual ~ExchangeProgress() = default;
    virtual void Sent(bool sent) = 0;
    virtual void Waiting(DWORD msLeft) { (void)msLeft; }
};

// How long the link is kept quiet after a write or read timed out: what the reader sends in
// that time is read and dropped. A reader answers within the second an exchange waits; one
// that answers later but within these two seconds more has its late answer dropped. A reader
// slower still can have its answer taken for the next command's, when that command is sent
// before the answer comes (after it, the answer waits in the system's buffer and is thrown
// away before the next write).
constexpr DWORD kQuietAfterTimeoutMs = 2000;

// Runs one exchange over `link`, which must be open: first it takes the reader's turn
// (reader/reader_turn.h), then waits out the rest of a quiet time that an earlier timeout
// began, then sends the command and reads its answer, and gives the turn back. Every
// program's commands take this one road, so that they take turns at the reader. A reader that turns
// out to be pulled out is let go: the link is closed. A timeout begins a quiet time. Every bound of
// the exchange is the same with `progress` as without; it only hears of it.
ExchangeOutcome RunExchange(ReaderLink& link, ReaderCommand command, const Bytes& payload,
                            ExchangeProgress* progress = nullptr);

// Waits out the rest of the link's quiet time, dropping what arrives; at once when there is
// none. A program that ends with the link calls it, so that a late answer does not reach the
// next program to open the reader.
void AwaitQuiet(ReaderLink& link, ExchangeProgress* progress = nullptr);

}  // namespace reader
