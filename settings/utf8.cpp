#include "settings/utf8.h"

namespace settings {
namespace {

// The bytes a sequence may hold after its lead byte: the second byte's range depends on
// the lead, the others are always 80..BF.
struct SequenceForm {
    unsigned char leadFirst, leadLast;
    std::size_t length;
    unsigned char secondFirst, secondLast;
};
const SequenceForm kForms[] = {
    {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF}, {0xE1, 0xEC, 3, 0x80, 0xBF},
    {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF}, {0xF0, 0xF0, 4, 0x90, 0xBF},
    {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F},
};

unsigned char ByteAt(const std::string& text, std::size_t at) {
    return static_cast<unsigned char>(text[at]);
}

}  // namespace

std::size_t Utf8SequenceLength(const std::string& text, std::size_t at) {
    if (at >= text.size())
        return 0;
    const unsigned char lead = ByteAt(text, at);
    if (lead < 0x80)
        return 1;
    for (const SequenceForm& form : kForms) {
        if (lead < form.leadFirst || lead > form.leadLast)
            continue;
        if (text.size() - at < form.length)
            return 0;
        const unsigned char second = ByteAt(text, at + 1);
        if (second < form.secondFirst || second > form.secondLast)
            return 0;
        for (std::size_t k = 2; k < form.length; ++k)
            if ((ByteAt(text, at + k) & 0xC0) != 0x80)
                return 0;
        return form.length;
    }
    return 0;
}

}  // namespace settings
