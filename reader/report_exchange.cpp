#include "reader/report_exchange.h"

#include <algorithm>
#include <utility>

#include "reader/hid_owners.h"
#include "reader/transfer_errors.h"

namespace reader {
namespace {

// A cancelled transfer normally completes at once; this long is waited for it at most.
constexpr DWORD kSettleTimeoutMs = 1000;
// More input reports than the system buffers for a handle by default.
constexpr int kMaxDiscardedReports = 64;
constexpr USAGE kGenericDesktopPage = 0x01;

}  // namespace

// Everything the system may still write into while a transfer is pending.
struct ReportExchange::IoState {
    SeamHandle event;
    OVERLAPPED overlapped{};
    Bytes report;
    std::uint8_t received[kReceiveBufferSize] = {};
};

ReportExchange::ReportExchange(HANDLE link, WhileWaiting whileWaiting)
    : api_(CurrentHidApi()),
      link_(link),
      whileWaiting_(std::move(whileWaiting)),
      io_(std::make_unique<IoState>()) {
    io_->event = SeamHandle(api_, api_.CreateEventA(TRUE, TRUE, ""));
    io_->overlapped.hEvent = io_->event.get();
}

ReportExchange::~ReportExchange() {
    // A transfer that never completed still owns this memory; giving it back would let the
    // system write into freed memory, so it is left to the process.
    if (stuck_)
        (void)io_.release();
}

// The link's report description and its capabilities; false when either cannot be had.
bool ReportExchange::ReadCaps(PreparsedData& preparsed, HIDP_CAPS& caps) {
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!api_.HidD_GetPreparsedData(link_, &raw) || raw == nullptr)
        return false;
    preparsed = PreparsedData(api_, raw);
    return api_.HidP_GetCaps(raw, &caps) == HIDP_STATUS_SUCCESS;
}

ReportExchange::Preparation ReportExchange::Prepare(ReaderCommand command, const Bytes& payload) {
    PreparsedData preparsed;
    HIDP_CAPS caps{};
    if (!ReadCaps(preparsed, caps))
        return Preparation::NoPreparsedData;
    const PHIDP_PREPARSED_DATA raw = preparsed.get();
    if (!ReportLengthsServed(command, caps.OutputReportByteLength, caps.InputReportByteLength))
        return Preparation::ReportLengthUnsupported;

    io_->report = BuildCommandReport(command, payload, caps.OutputReportByteLength);
    if (io_->report.empty())
        return Preparation::ReportLengthUnsupported;
    inputLength_ = caps.InputReportByteLength;
    command_ = command;

    // No usage is set: the call only asks the parser whether it accepts the report.
    USAGE usages[1] = {};
    ULONG usageCount = 0;
    const NTSTATUS gate = api_.HidP_SetUsages(
        HidP_Output, kGenericDesktopPage, 0, usages, &usageCount, raw,
        reinterpret_cast<char*>(io_->report.data()), static_cast<ULONG>(io_->report.size()));
    return gate == HIDP_STATUS_SUCCESS ? Preparation::Ready : Preparation::GateRefused;
}

bool ReportExchange::Send() {
    DiscardBufferedInput();
    return Done(Transfer(true, kTransferTimeoutMs), Operation::Write);
}

bool ReportExchange::Receive() {
    const ULONGLONG deadline = api_.GetTickCount64() + kTransferTimeoutMs;
    for (int dropped = 0;; ++dropped) {
        const ULONGLONG now = api_.GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const Result result = Transfer(false, left);
        if (!result.done)
            return Done(result, Operation::Read);
        if (AnswerFitsCommand(command_, io_->received, result.count)) {
            answerLength_ = result.count;
            return true;
        }
        // Another command's answer: not this one's. Its own may still come.
        if (dropped >= kMaxDiscardedReports)  // a flood of them: this one's will not come
            return Done({false, WAIT_TIMEOUT}, Operation::Read);
    }
}

const std::uint8_t* ReportExchange::answer() const {
    return io_->received;
}
std::size_t ReportExchange::answerLength() const {
    return answerLength_;
}

bool ReportExchange::Done(Result result, Operation operation) {
    if (result.done)
        return true;
    if (result.error == WAIT_TIMEOUT)
        timedOut_ = true;
    const bool gone = MeansDeviceGone(result.error);
    if (failure_.operation == Operation::None || (gone && !deviceGone_))
        failure_ = {operation, result.error};
    if (gone)
        deviceGone_ = true;
    return false;
}

// Throws away input reports that are already waiting: the system's queue is flushed where it
// can be, and what is still there is read without waiting.
void ReportExchange::DiscardBufferedInput() {
    api_.HidD_FlushQueue(link_);
    for (int i = 0; i < kMaxDiscardedReports; ++i) {
        if (!Transfer(false, 0).done)
            break;
    }
}

void ReportExchange::DropInputUntil(ULONGLONG deadline) {
    if (inputLength_ == 0 && !LearnInputLength())
        return;
    for (ULONGLONG now = api_.GetTickCount64(); now < deadline; now = api_.GetTickCount64()) {
        const Result result = Transfer(false, static_cast<DWORD>(deadline - now));
        if (!result.done && result.error != WAIT_TIMEOUT)
            break;  // the link fails: nothing more comes, and the next command says why
    }
}

// The input report length of the link's description; false when it has none.
bool ReportExchange::LearnInputLength() {
    PreparsedData preparsed;
    HIDP_CAPS caps{};
    if (!ReadCaps(preparsed, caps) ||
        !ReportLengthsServed(ReaderCommand::QueryVersion, caps.OutputReportByteLength,
                             caps.InputReportByteLength))
        return false;
    inputLength_ = caps.InputReportByteLength;
    return true;
}

ReportExchange::Result ReportExchange::Transfer(bool write, DWORD timeoutMs) {
    IoState& io = *io_;
    if (stuck_)
        return {false, ERROR_BUSY};  // the overlapped record still belongs to the system
    if (!io.event)
        return {false, ERROR_NO_SYSTEM_RESOURCES};

    api_.ResetEvent(io.event.get());
    const std::size_t expected = write ? io.report.size() : inputLength_;
    DWORD count = 0;
    BOOL started;
    if (write) {
        started = api_.WriteFile(link_, io.report.data(), static_cast<DWORD>(expected), &count,
                                 &io.overlapped);
    } else {
        started =
            api_.ReadFile(link_, io.received, static_cast<DWORD>(expected), &count, &io.overlapped);
    }
    if (!started) {
        // A call that failed outright has nothing pending and will never signal the event.
        const DWORD error = api_.GetLastError();
        if (error != ERROR_IO_PENDING)
            return {false, error};
    }

    // The wait ends with the transfer, or at its bound or with a failure of its own while the
    // transfer goes on; the transfer's own result tells which, and how it ended.
    BoundedWait(api_, io.event.get(), timeoutMs, whileWaiting_);
    if (!api_.GetOverlappedResult(link_, &io.overlapped, &count, FALSE)) {
        const DWORD error = api_.GetLastError();
        if (error == ERROR_IO_INCOMPLETE) {  // still going on: given up
            Settle();
            return {false, WAIT_TIMEOUT};
        }
        return {false, error};
    }
    if (count != expected)
        return {false, ERROR_INVALID_DATA};  // part of a report is no report
    return {true, ERROR_SUCCESS, count};
}

// Cancels the pending transfer and waits until the system has finished with it.
void ReportExchange::Settle() {
    IoState& io = *io_;
    api_.CancelIo(link_);
    BoundedWait(api_, io.event.get(), kSettleTimeoutMs, whileWaiting_);
    DWORD count = 0;
    if (!api_.GetOverlappedResult(link_, &io.overlapped, &count, FALSE) &&
        api_.GetLastError() == ERROR_IO_INCOMPLETE) {
        stuck_ = true;
    }
}

}  // namespace reader
