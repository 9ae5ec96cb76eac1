#include "swipe/track_fields.h"

#include "settings/utf8.h"

namespace swipe {
namespace {

constexpr std::size_t kExpiryAndServiceCode = 4 + 3;

// Where the field that starts at `at` ends: at `separator`, or at the end of the data.
std::size_t FieldEnd(std::string_view data, std::size_t at, char separator) {
    const std::size_t end = data.find(separator, at);
    return end == std::string_view::npos ? data.size() : end;
}

// `count` characters on from `at`, or as many as there are.
std::size_t CharactersOn(std::string_view data, std::size_t at, std::size_t count) {
    for (; count > 0 && at < data.size(); --count) {
        const std::size_t length = settings::Utf8SequenceLength(data, at);
        at += length == 0 ? 1 : length;
    }
    return at;
}

}  // namespace

TrackFields FieldsOf(int track, std::string_view data) {
    const char separator = track == 1 ? '^' : '=';
    const std::size_t numberAt = CharactersOn(data, 0, track == 1 ? 1 : track == 3 ? 2 : 0);
    const std::size_t numberEnd = FieldEnd(data, numberAt, separator);
    TrackFields fields;
    fields.number = {numberAt, numberEnd - numberAt};
    if (track == 3 || numberEnd == data.size())
        return fields;
    std::size_t afterNumber = numberEnd + 1;
    if (track == 1) {
        const std::size_t nameEnd = FieldEnd(data, afterNumber, separator);
        if (nameEnd == data.size())
            return fields;
        afterNumber = nameEnd + 1;
    }
    const std::size_t discretionary = CharactersOn(data, afterNumber, kExpiryAndServiceCode);
    fields.discretionary = {discretionary, data.size() - discretionary};
    return fields;
}

std::optional<std::string_view> CardNumberOf(int track, std::string_view data) {
    const TrackFields fields = FieldsOf(track, data);
    if (fields.number.at + fields.number.size == data.size())
        return std::nullopt;
    return data.substr(fields.number.at, fields.number.size);
}

}  // namespace swipe
