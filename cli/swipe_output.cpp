#include "cli/swipe_output.h"

#include <vector>

#include "cli/listing.h"
#include "settings/utf8.h"
#include "swipe/card_mask.h"
#include "swipe/swipe_texts.h"

namespace cli {
namespace {

const char* StateName(swipe::TrackState state) {
    switch (state) {
        case swipe::TrackState::Read:
            return "read";
        case swipe::TrackState::Unreadable:
            return "unreadable";
        case swipe::TrackState::NoData:
            break;
    }
    return "no data";
}

}  // namespace

std::string SwipeText(const swipe::SwipeCheck& check, bool showAll) {
    std::string text;
    for (const std::wstring& line : swipe::ResultLines(check, true, showAll))
        text += settings::Utf8(line) + "\n";
    return text;
}

std::string SwipeJson(const swipe::SwipeCheck& check, bool showAll) {
    std::string out = "{\"tracks\": [";
    for (std::size_t i = 0; i < check.tracks.size(); ++i) {
        const swipe::TrackTyped& track = check.tracks[i];
        const std::string typed = showAll ? track.typed : swipe::MaskCardNumbers(track.typed);
        out += i == 0 ? "" : ", ";
        out += "{\"track\": " + std::to_string(track.track) + ", \"state\": \"" +
               StateName(track.state) + "\", \"typed\": " + JsonText(typed) + "}";
    }
    out += "], \"matches\": ";
    out += check.matches ? "true" : "false";
    out += ", \"layout\": " + (check.layout.empty() ? std::string("null") : JsonText(check.layout));
    out += ", \"tracksApart\": ";
    out += check.tracksApart ? "true" : "false";
    out += ", \"differences\": [";
    const std::vector<std::wstring> differences = swipe::DifferenceLines(check, true, showAll);
    for (std::size_t i = 0; i < differences.size(); ++i)
        out += (i == 0 ? "" : ", ") + JsonText(settings::Utf8(differences[i]));
    return out + "]}\n";
}

}  // namespace cli
