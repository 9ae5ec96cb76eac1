// Any state of the output-format and replacement forms: the payloads keep their sizes and
// carry each box's character or the stand-in for an empty box. The track digit tells the
// tracks chosen apart, the carriage-return digit the carriage returns asked for; a check box
// flipped changes its own digit and nothing else. (The digits of known forms are written out
// in tests/native/reader_protocol_test.cpp.)
#include <algorithm>
#include <iterator>
#include <optional>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

namespace {

std::optional<std::uint8_t> Character(FuzzInput& in) {  // a box: empty or a byte
    const bool present = in.Flag();
    const std::uint8_t byte = in.Byte();
    if (!present)
        return std::nullopt;
    return byte;
}

FormatSettings ReadFormat(FuzzInput& in) {
    FormatSettings form;
    for (auto& sentinel : form.sentinels)
        sentinel = Character(in);
    for (bool& box : form.outputTrack)
        box = in.Flag();
    for (bool& box : form.crAfterTrack)
        box = in.Flag();
    form.crAfterPacket = in.Flag();
    return form;
}

bool SameTracks(const FormatSettings& a, const FormatSettings& b) {
    return std::equal(std::begin(a.outputTrack), std::end(a.outputTrack),
                      std::begin(b.outputTrack));
}

// The carriage returns the reader adds: after the packet, or after each track checked.
bool SameReturns(const FormatSettings& a, const FormatSettings& b) {
    if (a.crAfterPacket || b.crAfterPacket)
        return a.crAfterPacket == b.crAfterPacket;
    return std::equal(std::begin(a.crAfterTrack), std::end(a.crAfterTrack),
                      std::begin(b.crAfterTrack));
}

constexpr std::size_t kTrackDigit = 6;
constexpr std::size_t kReturnDigit = 7;

// `flipped` differs from `form` in one check box: the payloads differ at most at `digit`, and
// there exactly when `changes`.
void CheckOneDigit(const FormatSettings& form, const FormatSettings& flipped, std::size_t digit,
                   bool changes) {
    const Bytes before = FormatPayload(form);
    Bytes after = FormatPayload(flipped);
    FUZZ_CHECK((after[digit] != before[digit]) == changes);
    after[digit] = before[digit];
    FUZZ_CHECK(after == before);
}

void CheckFormat(const FormatSettings& form, const FormatSettings& other) {
    const Bytes format = FormatPayload(form);
    // It always fits the shortest report the format is sent in.
    FUZZ_CHECK(FramedLength(format.size()) == MinimumOutputLength(ReaderCommand::SetFormat));
    for (int i = 0; i < 6; ++i)
        FUZZ_CHECK(format[i] == form.sentinels[i].value_or(kNoCharacter));
    FUZZ_CHECK(format[kTrackDigit] >= '0');
    FUZZ_CHECK(format[kTrackDigit] <= '7');
    FUZZ_CHECK(format[kReturnDigit] >= '0');
    FUZZ_CHECK(format[kReturnDigit] <= '8');
    FUZZ_CHECK(AnyTrackChosen(form) == (format[kTrackDigit] != '0'));
    FUZZ_CHECK(SameReturns(form, FormatSettings{}) == (format[kReturnDigit] == '0'));
    FUZZ_CHECK(form.crAfterPacket == (format[kReturnDigit] == '8'));

    // Each digit holds its boxes and nothing else: another form has the same digit exactly
    // when it asks for the same.
    const Bytes otherFormat = FormatPayload(other);
    FUZZ_CHECK((otherFormat[kTrackDigit] == format[kTrackDigit]) == SameTracks(form, other));
    FUZZ_CHECK((otherFormat[kReturnDigit] == format[kReturnDigit]) == SameReturns(form, other));

    for (int i = 0; i < 3; ++i) {
        FormatSettings flipped = form;
        flipped.outputTrack[i] = !flipped.outputTrack[i];
        CheckOneDigit(form, flipped, kTrackDigit, true);
        flipped = form;
        flipped.crAfterTrack[i] = !flipped.crAfterTrack[i];
        // The packet's carriage return wins over the tracks'.
        CheckOneDigit(form, flipped, kReturnDigit, !form.crAfterPacket);
    }
    FormatSettings flipped = form;
    flipped.crAfterPacket = !flipped.crAfterPacket;
    CheckOneDigit(form, flipped, kReturnDigit, true);
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    const FormatSettings form = ReadFormat(in);
    const FormatSettings other = ReadFormat(in);
    CheckFormat(form, other);

    ReplaceSettings pairs;
    for (int pair = 0; pair < 2; ++pair) {
        pairs.enabled[pair] = in.Flag();
        pairs.original[pair] = Character(in);
        pairs.replacement[pair] = Character(in);
    }
    const ReplaceCheck check = CheckReplace(pairs);
    FUZZ_CHECK((check == ReplaceCheck::NoPairChosen) == (!pairs.enabled[0] && !pairs.enabled[1]));
    if (check != ReplaceCheck::Ok)
        return;
    const Bytes replace = ReplacePayload(pairs);
    FUZZ_CHECK(FramedLength(replace.size()) == MinimumOutputLength(ReaderCommand::SetReplace));
    for (int pair = 0; pair < 2; ++pair) {
        const bool on = pairs.enabled[pair];
        FUZZ_CHECK(!on || (pairs.original[pair] && pairs.replacement[pair]));
        FUZZ_CHECK(replace[pair] == (on ? *pairs.original[pair] : kNoCharacter));
        FUZZ_CHECK(replace[2 + pair] == (on ? *pairs.replacement[pair] : kNoCharacter));
    }
}
