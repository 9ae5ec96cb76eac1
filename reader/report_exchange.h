// One request and its answer over the reader link: the command report goes out with
// overlapped I/O, one input report comes back, each wait bounded to a second.
//
// Before the command is written, input reports already buffered for the link are thrown
// away, so a late answer to an earlier command never counts for this one. A transfer that
// times out is cancelled and its completion awaited before the event, the overlapped record
// or a buffer is used again or released.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "reader/hid_api.h"
#include "reader/protocol.h"

namespace reader {

class ReportExchange {
public:
    explicit ReportExchange(HANDLE link);
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

    // Writes the report; false when it did not go out within the time allowed.
    bool Send();
    // Reads one input report; false when none came within the time allowed.
    bool Receive();

    // The answer: the input report's bytes, identifier first.
    const std::uint8_t* answer() const;
    std::size_t answerLength() const;

    static constexpr DWORD kTransferTimeoutMs = 1000;

private:
    struct IoState;
    bool Transfer(bool write, DWORD timeoutMs);
    void Settle();
    void DiscardBufferedInput();

    HidApi& api_;
    HANDLE link_;
    std::unique_ptr<IoState> io_;
    std::size_t inputLength_ = 0;
    bool stuck_ = false;  // a cancelled transfer never completed: its memory must live on
};

}  // namespace reader
