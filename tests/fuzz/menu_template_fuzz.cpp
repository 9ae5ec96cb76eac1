// Any bytes as a menu resource. What is read never holds more items than the bytes can
// carry, nests soundly (each popup opens the level of the items after it, and every level
// ends), has no label with a NUL, and written back gives the very bytes it was read from.
#include <algorithm>
#include <vector>

#include "fuzz_check.h"
#include "menu/menu_template.h"
#include "menu_template_writer.h"

namespace {

// The smallest item: its flags and an empty text's terminator.
constexpr std::size_t kSmallestItem = 4;
constexpr std::size_t kVersionAndHeaderSize = 4;

}  // namespace

void FuzzOne(FuzzInput& in) {
    // A copy of exactly the input's bytes, so that a read past the resource is caught.
    const std::vector<std::uint8_t> bytes(in.data, in.data + in.size);
    const auto items = ParseMenuTemplate(bytes.data(), bytes.size());
    if (!items)
        return;
    FUZZ_CHECK(!items->empty());
    FUZZ_CHECK(kVersionAndHeaderSize + kSmallestItem * items->size() <= bytes.size());

    FUZZ_CHECK(items->front().depth == 0);
    FUZZ_CHECK(!items->back().IsPopup());
    for (std::size_t i = 0; i < items->size(); ++i) {
        const MenuTemplateItem& item = (*items)[i];
        FUZZ_CHECK((item.flags & kTemplateEnd) == 0);
        FUZZ_CHECK(item.text.find(u'\0') == std::u16string::npos);
        FUZZ_CHECK(!item.IsPopup() || item.id == 0);
        if (i == 0)
            continue;
        const MenuTemplateItem& before = (*items)[i - 1];
        if (before.IsPopup())
            FUZZ_CHECK(item.depth == before.depth + 1);
        else
            FUZZ_CHECK(item.depth <= before.depth);
    }

    // The items come after the version, the header size and the header.
    const std::vector<std::uint8_t> written = WriteMenuTemplate(*items);
    const std::size_t header = kVersionAndHeaderSize + (bytes[2] | bytes[3] << 8);
    const std::size_t itemBytes = written.size() - kVersionAndHeaderSize;
    FUZZ_CHECK(header + itemBytes <= bytes.size());
    FUZZ_CHECK(std::equal(written.begin() + kVersionAndHeaderSize, written.end(),
                          bytes.begin() + static_cast<std::ptrdiff_t>(header)));
}
