#include "swipe/typed_text.h"

#include "settings/utf8.h"

namespace swipe {

std::size_t CharacterLength(std::string_view text, std::size_t at) {
    const std::size_t length = settings::Utf8SequenceLength(text, at);
    return length == 0 ? 1 : length;
}

CardText BoxCharacter(const std::optional<std::uint8_t>& box) {
    CardText character;
    if (box)
        settings::AppendUtf8(character, *box);
    return character;
}

}  // namespace swipe
