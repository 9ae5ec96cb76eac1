// The reader's command protocol: building command reports from plain records and judging
// the answers. No window or device handles here, so all of it is tested natively.
//
// A command report is the report identifier 0x00, then 0x02, the command code, the payload
// and 0x03, zero-filled up to the device's output report length. The answer is one input
// report; byte 0 is its identifier.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reader {

using Bytes = std::vector<std::uint8_t>;

enum class ReaderCommand : std::uint8_t {
    SetFormat = 0x30,
    SetReplace = 0x31,
    CancelReplace = 0x32,
    QueryVersion = 0x05,
};

constexpr std::uint16_t kReaderVendorId = 0x5131;
constexpr std::uint16_t kReaderProductId = 0x2007;

// Every answer is read into a buffer of this size.
constexpr std::size_t kReceiveBufferSize = 1024;
// The version text holds at most this many characters.
constexpr std::size_t kMaxVersionTextLength = 29;

// Stands for an empty sentinel box or a replacement pair that is not enabled.
constexpr std::uint8_t kNoCharacter = 0xFF;

// The output-format form. A character is the first byte of its box's text (ANSI code page);
// none when the box is empty.
struct FormatSettings {
    // Start and end sentinel of tracks 1, 2 and 3, in that order.
    std::optional<std::uint8_t> sentinels[6];
    bool outputTrack[3] = {};
    bool crAfterTrack[3] = {};
    bool crAfterPacket = false;
};

// The character-replacement form: two pairs, each with its "Enable Replace" box.
struct ReplaceSettings {
    bool enabled[2] = {};
    std::optional<std::uint8_t> original[2];
    std::optional<std::uint8_t> replacement[2];
};

enum class ReplaceCheck { Ok, NoPairChosen, PairIncomplete };
// NoTrack: no track is output. CrConflict: a carriage return after a track and one after
// the whole packet are both asked for; they exclude each other.
enum class FormatCheck { Ok, NoTrack, CrConflict };

bool AnyTrackChosen(const FormatSettings& settings);
FormatCheck CheckFormat(const FormatSettings& settings);
// Sentinels, track selection digit, carriage-return selection digit: 8 bytes.
Bytes FormatPayload(const FormatSettings& settings);

ReplaceCheck CheckReplace(const ReplaceSettings& settings);
// Originals first, then replacements: 4 bytes.
Bytes ReplacePayload(const ReplaceSettings& settings);

// The framed report needs the identifier, 0x02, the code, the payload and 0x03.
std::size_t FramedLength(std::size_t payloadLength);
// The shortest output report each command can be sent in: 12 bytes for the format, 8 for
// the replacement, 4 for the others.
std::size_t MinimumOutputLength(ReaderCommand command);
// Whether a device with these report lengths can be served: the command fits its output
// report and an input report fits the receive buffer.
bool ReportLengthsServed(ReaderCommand command, std::size_t outputLength, std::size_t inputLength);

// The command report, exactly `outputLength` bytes; empty when the frame does not fit.
Bytes BuildCommandReport(ReaderCommand command, const Bytes& payload, std::size_t outputLength);

// Whether an answer can be the answer to `command`. A reader frames its answer as it frames
// the command, 0x02 and the command's code first; an answer so framed that names another
// of the four commands answers that one (sent by another program, or late), never this one.
// An answer framed otherwise is judged as it is.
bool AnswerFitsCommand(ReaderCommand command, const std::uint8_t* answer, std::size_t length);

enum class Verdict { Accepted, Refused, Other };
// Byte 3 of the answer: 'Y' accepted, 'N' refused, anything else (or a short answer) other.
Verdict JudgeAnswer(const std::uint8_t* answer, std::size_t length);

// The bytes that follow a 0x05 and come before the next 0x03, runs joined, cut at
// kMaxVersionTextLength characters. The text ends at its first zero byte.
std::string ExtractVersionText(const std::uint8_t* answer, std::size_t length);

}  // namespace reader
