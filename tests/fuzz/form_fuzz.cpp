// Any state of the output-format and replacement forms: the payloads keep their sizes, carry
// each box's character or the stand-in for an empty box, and encode the check boxes.
#include <optional>

#include "fuzz_check.h"
#include "reader/protocol.h"

using namespace reader;

namespace {

// A character box: empty, or holding the next byte.
std::optional<std::uint8_t> Character(FuzzInput& in) {
    const bool present = in.Flag();
    const std::uint8_t byte = in.Byte();
    return present ? std::optional<std::uint8_t>(byte) : std::nullopt;
}

void CheckFormat(FuzzInput& in) {
    FormatSettings form;
    for (auto& sentinel : form.sentinels)
        sentinel = Character(in);
    for (bool& track : form.outputTrack)
        track = in.Flag();
    for (bool& cr : form.crAfterTrack)
        cr = in.Flag();
    form.crAfterPacket = in.Flag();

    const Bytes payload = FormatPayload(form);
    FUZZ_CHECK(payload.size() == 8);
    for (int i = 0; i < 6; ++i)
        FUZZ_CHECK(payload[i] == form.sentinels[i].value_or(kNoCharacter));
    // Track digit: tracks 1, 2, 3 weigh 1, 2, 4. Carriage-return digit: 8 for the whole
    // packet, else tracks 1, 2, 3 weigh 4, 2, 1.
    const bool* track = form.outputTrack;
    const bool* cr = form.crAfterTrack;
    FUZZ_CHECK(payload[6] == '0' + track[0] + 2 * track[1] + 4 * track[2]);
    FUZZ_CHECK(AnyTrackChosen(form) == (payload[6] != '0'));
    FUZZ_CHECK(payload[7] == '0' + (form.crAfterPacket ? 8 : 4 * cr[0] + 2 * cr[1] + cr[2]));
    // It always fits the shortest report the format is sent in.
    FUZZ_CHECK(FramedLength(payload.size()) == MinimumOutputLength(ReaderCommand::SetFormat));
}

void CheckReplace(FuzzInput& in) {
    ReplaceSettings form;
    for (int pair = 0; pair < 2; ++pair) {
        form.enabled[pair] = in.Flag();
        form.original[pair] = Character(in);
        form.replacement[pair] = Character(in);
    }
    const ReplaceCheck check = reader::CheckReplace(form);
    FUZZ_CHECK((check == ReplaceCheck::NoPairChosen) == (!form.enabled[0] && !form.enabled[1]));
    if (check != ReplaceCheck::Ok)
        return;
    const Bytes payload = ReplacePayload(form);
    FUZZ_CHECK(payload.size() == 4);
    for (int pair = 0; pair < 2; ++pair) {
        if (form.enabled[pair]) {
            FUZZ_CHECK(form.original[pair] && payload[pair] == *form.original[pair]);
            FUZZ_CHECK(form.replacement[pair] && payload[2 + pair] == *form.replacement[pair]);
        } else {
            FUZZ_CHECK(payload[pair] == kNoCharacter && payload[2 + pair] == kNoCharacter);
        }
    }
    FUZZ_CHECK(FramedLength(payload.size()) == MinimumOutputLength(ReaderCommand::SetReplace));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in{data, size};
    CheckFormat(in);
    CheckReplace(in);
    return 0;
}
