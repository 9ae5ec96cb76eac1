#include "menu/menu_template.h"

namespace {

constexpr std::uint16_t kExtendedVersion = 1;

// Reads little-endian 16-bit values without ever passing the end of the bytes.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Skip(std::size_t count) {
        if (count > size_ - pos_)
            return false;
        pos_ += count;
        return true;
    }
    bool Word(std::uint16_t& value) {
        if (size_ - pos_ < 2)
            return false;
        value = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool Text(std::u16string& text) {
        std::uint16_t unit = 0;
        while (Word(unit)) {
            if (unit == 0)
                return true;
            text.push_back(static_cast<char16_t>(unit));
        }
        return false;  // no terminator before the end
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool ReadItem(Reader& reader, MenuTemplateItem& item, bool& endsLevel) {
    std::uint16_t flags = 0;
    if (!reader.Word(flags))
        return false;
    endsLevel = (flags & kTemplateEnd) != 0;
    item.flags = static_cast<std::uint16_t>(flags & ~kTemplateEnd);
    if (!item.IsPopup() && !reader.Word(item.id))
        return false;
    return reader.Text(item.text);
}

}  // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(const std::uint8_t* data,
                                                               std::size_t size) {
    Reader reader(data, size);
    std::uint16_t version = 0;
    std::uint16_t headerSize = 0;
    if (!reader.Word(version) || !reader.Word(headerSize) || version == kExtendedVersion ||
        !reader.Skip(headerSize))
        return std::nullopt;

    // One entry per open level: whether its last item has been read.
    std::vector<bool> levelEnding{false};
    std::vector<MenuTemplateItem> items;
    while (!levelEnding.empty()) {
        MenuTemplateItem item;
        bool endsLevel = false;
        if (!ReadItem(reader, item, endsLevel))
            return std::nullopt;
        item.depth = static_cast<int>(levelEnding.size()) - 1;
        if (endsLevel)
            levelEnding.back() = true;
        if (item.IsPopup()) {
            levelEnding.push_back(false);
        } else {
            while (!levelEnding.empty() && levelEnding.back())
                levelEnding.pop_back();
        }
        items.push_back(std::move(item));
    }
    return items;
}
