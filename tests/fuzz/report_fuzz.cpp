// Report lengths as the device describes them and payloads of any size: a report is built
// only when it fits, and then it is exactly the frame, zero-filled to the output length.
#include <algorithm>
#include <vector>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

namespace {

const ReaderCommand kCommands[] = {ReaderCommand::SetFormat, ReaderCommand::SetReplace,
                                   ReaderCommand::CancelReplace, ReaderCommand::QueryVersion};

void CheckReport(ReaderCommand command, const Bytes& payload, std::size_t outputLength) {
    const Bytes report = BuildCommandReport(command, payload, outputLength);
    const std::size_t framed = FramedLength(payload.size());
    if (outputLength < framed) {
        FUZZ_CHECK(report.empty());
        return;
    }
    FUZZ_CHECK(report.size() == outputLength && report[0] == 0x00 && report[1] == 0x02 &&
               report[2] == static_cast<std::uint8_t>(command));
    FUZZ_CHECK(std::equal(payload.begin(), payload.end(), report.begin() + 3));
    FUZZ_CHECK(report[framed - 1] == 0x03);
    FUZZ_CHECK(std::all_of(report.begin() + framed, report.end(), [](auto b) { return b == 0; }));
}

// A device whose lengths are served can take the command's own payload, and its answer fits
// the receive buffer.
void CheckLengthBounds(ReaderCommand command, std::size_t outputLength, std::size_t inputLength) {
    if (!ReportLengthsServed(command, outputLength, inputLength))
        return;
    FUZZ_CHECK(inputLength >= 1 && inputLength <= kReceiveBufferSize);
    FUZZ_CHECK(outputLength >= MinimumOutputLength(command));
    const std::size_t payloadSize = MinimumOutputLength(command) - FramedLength(0);
    FUZZ_CHECK(!BuildCommandReport(command, Bytes(payloadSize, 0xFF), outputLength).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in{data, size};
    const ReaderCommand command = kCommands[in.Byte() % 4];
    const std::size_t outputLength = in.Word();
    const std::size_t inputLength = in.Word();
    const Bytes payload(in.data, in.data + in.size);
    CheckReport(command, payload, outputLength);
    CheckLengthBounds(command, outputLength, inputLength);
    return 0;
}
