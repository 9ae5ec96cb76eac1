// One request and its answer over the reader link: the command report goes out with
// overlapped I/O, one input report comes back, each wait bounded to a second.
//
// Before the command is written, input reports already buffered for the link are thrown
// away, so a late answer to an earlier command that came in the meantime never counts for
// this one. An answer that comes after the write cannot be told from this command's own:
// after a timeout the caller keeps the link quiet for a while (DropInputUntil). A transfer that
// times out is cancelled and its completion awaited before the event, the overlapped record
// or a buffer is used again or released.
//
// A transfer counts as done only when the system says it ended well and moved the whole
// report. Of the transfers that fail, the exchange keeps one (write or read, and its system
// error; WAIT_TIMEOUT for one that got no answer in time, ERROR_INVALID_DATA for one that
// moved part of a report): the first, unless a later one shows that the reader was pulled
// out and the first did not. A failure that shows it also marks the link as gone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "reader/bounded_wait.h"
#include "reader/hid_api.h"
#include "reader/hid_owners.h"
#include "reader/protocol.h"
#include "reader/transfer_errors.h"

namespace reader {

class ReportExchange {
public:
    // `whileWaiting`, when given, is called again and again while a transfer is waited for,
    // at most kWaitSliceMs apart; the waits keep their bounds.
    explicit ReportExchange(HANDLE link, WhileWaiting whileWaiting = {});
    ~ReportExchange();
    ReportExchange(const ReportExchange&) = delete;
    ReportExchange& operator=(const ReportExchange&) = delete;

    enum class Preparation {
        Ready,
        NoPreparsedData,          // no report description: nothing can be built
        ReportLengthUnsupported,  // the command does not fit, or an answer would not
        GateRefused,              // the HID parser does not accept the report
    };
    // Reads the report lengths and builds the command report.
    Preparation Prepare(ReaderCommand command, const Bytes& payload);

    // Writes the report of a Prepare that was Ready; false when it did not go out whole
    // within the time allowed.
    bool Send();
    // Reads one input report that can answer the command a Prepare made Ready (also after a
    // failed Send); false when none came whole within the time allowed. Reports that answer
    // another command (reader/protocol.h, AnswerFitsCommand) are read and dropped within the
    // same time.
    bool Receive();

    // Reads and drops whatever input reports arrive until the system's tick count reaches
    // `deadline`, or until the link fails.
    void DropInputUntil(ULONGLONG deadline);

    // The answer of a Receive that returned true: the input report's bytes, identifier first.
    const std::uint8_t* answer() const;
    std::size_t answerLength() const;

    // Whether a transfer failed in the way the system fails transfers of a removed device:
    // the link's handle is of no further use.
    bool deviceGone() const { return deviceGone_; }
    // The failed transfer kept as the cause; Operation::None when none failed.
    const SystemFailure& failure() const { return failure_; }
    // Whether the write or the read gave up waiting: the reader may answer still.
    bool timedOut() const { return timedOut_; }

    static constexpr DWORD kTransferTimeoutMs = 1000;
    static constexpr DWORD kWaitSliceMs = reader::kWaitSliceMs;

private:
    struct IoState;
    // Done, with the bytes it moved, or the system error the transfer ended with.
    struct Result {
        bool done;
        DWORD error;
        std::size_t count = 0;
    };
    Result Transfer(bool write, DWORD timeoutMs);
    // Whether the transfer was done; keeps a failure as the cause and notes one that means
    // the device is gone.
    bool Done(Result result, Operation operation);
    void Settle();
    bool ReadCaps(PreparsedData& preparsed, HIDP_CAPS& caps);
    bool LearnInputLength();
    void DiscardBufferedInput();

    HidApi& api_;
    HANDLE link_;
    ReaderCommand command_ = ReaderCommand::QueryVersion;
    WhileWaiting whileWaiting_;
    std::unique_ptr<IoState> io_;
    std::size_t inputLength_ = 0;
    std::size_t answerLength_ = 0;
    bool deviceGone_ = false;
    bool timedOut_ = false;
    SystemFailure failure_;
    bool stuck_ = false;  // a cancelled transfer never completed: its memory must live on
};

}  // namespace reader
