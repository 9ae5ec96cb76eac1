#include "cli/listing.h"

#include "settings/quoting.h"
#include "settings/utf8.h"

namespace cli {
namespace {

std::string Hex(unsigned value, int minDigits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0 || static_cast<int>(text.size()) < minDigits);
    return text;
}

}  // namespace

// A JSON string. UTF-8 characters stay as they are; control characters and bytes that are
// not UTF-8 are written as \u00XX.
std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = settings::Utf8SequenceLength(text, at);
        const unsigned char byte = static_cast<unsigned char>(text[at]);
        if (length > 1) {
            out += text.substr(at, length);
        } else if (byte == '"' || byte == '\\') {
            out += '\\';
            out += text[at];
        } else if (length == 0 || byte < 0x20 || byte == 0x7F) {
            out += "\\u00" + Hex(byte, 2);
        } else {
            out += text[at];
        }
        at += length > 1 ? length : 1;
    }
    return out + "\"";
}

std::string ReaderText(const std::string& bytes) {
    return settings::Escaped(bytes, bytes.size());
}

std::string ListingLine(const ListedReader& listed) {
    const reader::ReaderInfo& info = listed.info;
    return info.path + "  " + Hex(info.vendorId, 4) + ":" + Hex(info.productId, 4) + "  ver" +
           Hex(info.versionNumber, 1) + "  " +
           (listed.versionText ? ReaderText(*listed.versionText) : "-");
}

std::string ListingJson(const std::vector<ListedReader>& readers) {
    std::string out = "[";
    for (std::size_t i = 0; i < readers.size(); ++i) {
        const reader::ReaderInfo& info = readers[i].info;
        const std::optional<std::string>& versionText = readers[i].versionText;
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"path\": " + JsonText(info.path) +
               ", \"vendorId\": " + std::to_string(info.vendorId) +
               ", \"productId\": " + std::to_string(info.productId) +
               ", \"versionNumber\": " + std::to_string(info.versionNumber) +
               ", \"versionText\": " + (versionText ? JsonText(ReaderText(*versionText)) : "null") +
               "}";
    }
    return out + (readers.empty() ? "]\n" : "\n]\n");
}

}  // namespace cli
