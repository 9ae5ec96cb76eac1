#include "reader/protocol.h"

#include <initializer_list>

namespace reader {
namespace {

constexpr std::uint8_t kStartOfFrame = 0x02;
constexpr std::uint8_t kEndOfFrame = 0x03;
constexpr std::uint8_t kVersionStart = 0x05;
constexpr std::size_t kAnswerByte = 3;

std::uint8_t CharacterOrNone(const std::optional<std::uint8_t>& character) {
    return character.value_or(kNoCharacter);
}

}  // namespace

bool AnyTrackChosen(const FormatSettings& settings) {
    return settings.outputTrack[0] || settings.outputTrack[1] || settings.outputTrack[2];
}

FormatCheck CheckFormat(const FormatSettings& settings) {
    if (!AnyTrackChosen(settings))
        return FormatCheck::NoTrack;
    const bool anyTrackCr =
        settings.crAfterTrack[0] || settings.crAfterTrack[1] || settings.crAfterTrack[2];
    if (settings.crAfterPacket && anyTrackCr)
        return FormatCheck::CrConflict;
    return FormatCheck::Ok;
}

Bytes FormatPayload(const FormatSettings& settings) {
    Bytes payload;
    for (const auto& sentinel : settings.sentinels)
        payload.push_back(CharacterOrNone(sentinel));

    // Track 1 weighs 1 in the track digit but 4 in the carriage-return digit.
    int tracks = 0;
    if (settings.outputTrack[0])
        tracks += 1;
    if (settings.outputTrack[1])
        tracks += 2;
    if (settings.outputTrack[2])
        tracks += 4;
    payload.push_back(static_cast<std::uint8_t>('0' + tracks));

    int returns = 0;
    if (settings.crAfterPacket) {
        returns = 8;
    } else {
        if (settings.crAfterTrack[0])
            returns += 4;
        if (settings.crAfterTrack[1])
            returns += 2;
        if (settings.crAfterTrack[2])
            returns += 1;
    }
    payload.push_back(static_cast<std::uint8_t>('0' + returns));
    return payload;
}

ReplaceCheck CheckReplace(const ReplaceSettings& settings) {
    if (!settings.enabled[0] && !settings.enabled[1])
        return ReplaceCheck::NoPairChosen;
    for (int pair = 0; pair < 2; ++pair) {
        if (settings.enabled[pair] && (!settings.original[pair] || !settings.replacement[pair]))
            return ReplaceCheck::PairIncomplete;
    }
    return ReplaceCheck::Ok;
}

Bytes ReplacePayload(const ReplaceSettings& settings) {
    Bytes payload;
    for (int pair = 0; pair < 2; ++pair)
        payload.push_back(settings.enabled[pair] ? CharacterOrNone(settings.original[pair])
                                                 : kNoCharacter);
    for (int pair = 0; pair < 2; ++pair)
        payload.push_back(settings.enabled[pair] ? CharacterOrNone(settings.replacement[pair])
                                                 : kNoCharacter);
    return payload;
}

std::size_t FramedLength(std::size_t payloadLength) {
    return payloadLength + 4;
}

std::size_t MinimumOutputLength(ReaderCommand command) {
    switch (command) {
        case ReaderCommand::SetFormat:
            return FramedLength(8);
        case ReaderCommand::SetReplace:
            return FramedLength(4);
        case ReaderCommand::CancelReplace:
        case ReaderCommand::QueryVersion:
            break;
    }
    return FramedLength(0);
}

bool ReportLengthsServed(ReaderCommand command, std::size_t outputLength, std::size_t inputLength) {
    return outputLength >= MinimumOutputLength(command) && inputLength >= 1 &&
           inputLength <= kReceiveBufferSize;
}

Bytes BuildCommandReport(ReaderCommand command, const Bytes& payload, std::size_t outputLength) {
    if (outputLength < FramedLength(payload.size()))
        return {};
    Bytes report(outputLength, 0);
    report[1] = kStartOfFrame;
    report[2] = static_cast<std::uint8_t>(command);
    std::size_t at = 3;
    for (std::uint8_t byte : payload)
        report[at++] = byte;
    report[at] = kEndOfFrame;
    return report;
}

bool AnswerFitsCommand(ReaderCommand command, const std::uint8_t* answer, std::size_t length) {
    constexpr std::size_t kCodeByte = 2;
    if (answer == nullptr || length <= kCodeByte || answer[1] != kStartOfFrame)
        return true;
    const std::uint8_t code = answer[kCodeByte];
    for (ReaderCommand other : {ReaderCommand::SetFormat, ReaderCommand::SetReplace,
                                ReaderCommand::CancelReplace, ReaderCommand::QueryVersion}) {
        if (other != command && code == static_cast<std::uint8_t>(other))
            return false;
    }
    return true;
}

Verdict JudgeAnswer(const std::uint8_t* answer, std::size_t length) {
    if (answer == nullptr || length <= kAnswerByte)
        return Verdict::Other;
    if (answer[kAnswerByte] == 'N')
        return Verdict::Refused;
    if (answer[kAnswerByte] == 'Y')
        return Verdict::Accepted;
    return Verdict::Other;
}

std::string ExtractVersionText(const std::uint8_t* answer, std::size_t length) {
    std::string text;
    bool copying = false;
    for (std::size_t i = 0; answer != nullptr && i < length; ++i) {
        const std::uint8_t byte = answer[i];
        if (copying && byte != kEndOfFrame && text.size() < kMaxVersionTextLength)
            text.push_back(static_cast<char>(byte));
        if (byte == kVersionStart)
            copying = true;
        if (byte == kEndOfFrame)
            copying = false;
    }
    // Zero bytes from the answer end the text, as in a zero-terminated buffer.
    const std::size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

}  // namespace reader
