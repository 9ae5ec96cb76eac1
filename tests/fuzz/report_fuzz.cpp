// Report lengths as the device describes them and payloads of any size: a report is built
// only when it fits, and then it is exactly the frame, zero-filled to the output length.
#include <algorithm>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

void FuzzOne(FuzzInput& in) {
    const ReaderCommand commands[] = {ReaderCommand::SetFormat, ReaderCommand::SetReplace,
                                      ReaderCommand::CancelReplace, ReaderCommand::QueryVersion};
    const ReaderCommand command = commands[in.Byte() % 4];
    const std::size_t outputLength = in.Word(), inputLength = in.Word();
    const Bytes payload(in.data, in.data + in.size);
    const Bytes report = BuildCommandReport(command, payload, outputLength);
    const std::size_t framed = FramedLength(payload.size());
    FUZZ_CHECK(report.empty() == (outputLength < framed));
    if (!report.empty()) {
        FUZZ_CHECK(report.size() == outputLength && report[0] == 0x00 && report[1] == 0x02 &&
                   report[2] == static_cast<std::uint8_t>(command) && report[framed - 1] == 0x03);
        FUZZ_CHECK(std::equal(payload.begin(), payload.end(), report.begin() + 3));
        FUZZ_CHECK(
            std::all_of(report.begin() + framed, report.end(), [](auto b) { return b == 0; }));
    }
    // A device whose lengths are served can take the command's own payload, and its answer
    // fits the receive buffer.
    if (ReportLengthsServed(command, outputLength, inputLength)) {
        FUZZ_CHECK(inputLength >= 1 && inputLength <= kReceiveBufferSize);
        const Bytes longest(MinimumOutputLength(command) - FramedLength(0), 0xFF);
        FUZZ_CHECK(!BuildCommandReport(command, longest, outputLength).empty());
    }
}
