// Any state of the output-format and replacement forms: the payloads keep their sizes, carry
// each box's character or the stand-in for an empty box, and encode the check boxes.
#include <optional>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

void FuzzOne(FuzzInput& in) {
    const auto character = [&in]() -> std::optional<std::uint8_t> {  // a box: empty or a byte
        const int present = in.Byte() & 1, byte = in.Byte();
        return present ? std::optional<std::uint8_t>(byte) : std::nullopt;
    };
    FormatSettings form;
    for (auto& sentinel : form.sentinels)
        sentinel = character();
    const bool *track = form.outputTrack, *cr = form.crAfterTrack;
    for (int i = 0; i < 6; ++i)  // the tracks output, then those followed by a carriage return
        (i < 3 ? form.outputTrack[i] : form.crAfterTrack[i - 3]) = in.Flag();
    form.crAfterPacket = in.Flag();
    const Bytes format = FormatPayload(form);
    // It always fits the shortest report the format is sent in.
    FUZZ_CHECK(FramedLength(format.size()) == MinimumOutputLength(ReaderCommand::SetFormat));
    for (int i = 0; i < 6; ++i)
        FUZZ_CHECK(format[i] == form.sentinels[i].value_or(kNoCharacter));
    // Track digit: tracks 1, 2, 3 weigh 1, 2, 4. Carriage-return digit: 8 for the whole
    // packet, else tracks 1, 2, 3 weigh 4, 2, 1.
    FUZZ_CHECK(format[6] == '0' + track[0] + 2 * track[1] + 4 * track[2]);
    FUZZ_CHECK(AnyTrackChosen(form) == (format[6] != '0'));
    FUZZ_CHECK(format[7] == '0' + (form.crAfterPacket ? 8 : 4 * cr[0] + 2 * cr[1] + cr[2]));

    ReplaceSettings pairs;
    for (int pair = 0; pair < 2; ++pair) {
        pairs.enabled[pair] = in.Flag();
        pairs.original[pair] = character();
        pairs.replacement[pair] = character();
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
