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

std::string ReaderText(const std::string& bytes) {
    return settings::Escaped(bytes, bytes.size());
}

std::string ListingLine(int number, const ListedReader& listed) {
    const reader::ReaderInfo& info = listed.info;
    return std::to_string(number) + "  " + info.path + "  " + Hex(info.vendorId, 4) + ":" +
           Hex(info.productId, 4) + "  ver" + Hex(info.versionNumber, 1) + "  " +
           (listed.versionText ? ReaderText(*listed.versionText) : "-");
}

std::string ListingJson(const std::vector<ListedReader>& readers) {
    std::string out = "[";
    for (std::size_t i = 0; i < readers.size(); ++i) {
        const reader::ReaderInfo& info = readers[i].info;
        const std::optional<std::string>& versionText = readers[i].versionText;
        out += i == 0 ? "\n" : ",\n";
        out += "  {\"number\": " + std::to_string(i + 1) +
               ", \"path\": " + settings::JsonString(info.path) +
               ", \"vendorId\": " + std::to_string(info.vendorId) +
               ", \"productId\": " + std::to_string(info.productId) +
               ", \"versionNumber\": " + std::to_string(info.versionNumber) +
               ", \"versionText\": " +
               (versionText ? settings::JsonString(ReaderText(*versionText)) : "null") + "}";
    }
    return out + (readers.empty() ? "]\n" : "\n]\n");
}

}  // namespace cli
