#include "cli/swipe_output.h"

#include <string>
#include <vector>

#include "settings/quoting.h"
#include "swipe/swipe_texts.h"

namespace cli {
namespace {

using swipe::CardText;
using swipe::CardWide;

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

// A line the check shows, as a JSON string.
CardText JsonLine(const CardWide& line) {
    return "\"" +
           settings::Escaped<CardText>(swipe::Utf8Of(line), std::string_view::npos,
                                       settings::EscapeFor::Json) +
           "\"";
}

}  // namespace

CardText SwipeText(const swipe::SwipeCheck& check, const swipe::ShowRule& rule, int number,
                   int count) {
    CardText text;
    if (count > 1)
        text += std::string(number > 1 ? "\n" : "") + "Swipe " + std::to_string(number) + " of " +
                std::to_string(count) + ":\n";
    for (const CardWide& line : swipe::ResultLines(check, true, rule)) {
        text += swipe::Utf8Of(line);
        text += '\n';
    }
    // Read on from one line into the next, the lines are masked once more as a whole.
    return swipe::ShownLine(text, rule);
}

CardText SwipeJson(const swipe::SwipeCheck& check, const swipe::ShowRule& rule, int number) {
    CardText out("{\"swipe\": " + std::to_string(number) + ", \"tracks\": [");
    for (std::size_t i = 0; i < check.tracks.size(); ++i) {
        const swipe::TrackTyped& track = check.tracks[i];
        out += i == 0 ? "" : ", ";
        out += "{\"track\": " + std::to_string(track.track) + ", \"state\": \"" +
               StateName(track.state) + "\", \"typed\": ";
        out += "\"" + swipe::TypedShown(track, rule, settings::EscapeFor::Json) + "\"";
        out += "}";
    }
    out += "], \"reader\": {\"tracks\": [";
    for (std::size_t i = 0; i < check.format.tracks.size(); ++i) {
        const swipe::ReadTrackFormat& track = check.format.tracks[i];
        out += i == 0 ? "" : ", ";
        out += "{\"track\": " + std::to_string(track.track) + ", \"start\": \"" +
               swipe::SentinelShown(track.start, rule, settings::EscapeFor::Json) +
               "\", \"end\": \"" +
               swipe::SentinelShown(track.end, rule, settings::EscapeFor::Json) +
               "\", \"returnAfter\": " + (track.returnAfter ? "true" : "false") + "}";
    }
    out += "], \"returnAfterPacket\": ";
    out += check.format.returnAfterPacket ? "true" : "false";
    out += "}, \"matches\": ";
    out += check.matches ? "true" : "false";
    out += ", \"agreesSoFar\": ";
    out += check.agreesSoFar ? "true" : "false";
    out += ", \"layouts\": [";
    for (std::size_t i = 0; i < check.layouts.size(); ++i)
        out += (i == 0 ? "" : ", ") + settings::JsonString(check.layouts[i]->english);
    out += "], \"capsLock\": ";
    out += check.capsLock ? "true" : "false";
    out += ", \"tracksApart\": ";
    out += check.tracksApart ? "true" : "false";
    out += ", \"differences\": [";
    const std::vector<CardWide> lines = swipe::DifferenceLines(check, true, rule);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += i == 0 ? "" : ", ";
        out += JsonLine(lines[i]);
    }
    out += "], \"unseen\": [";
    const std::vector<CardWide> unseen = swipe::UnseenLines(check, true);
    for (std::size_t i = 0; i < unseen.size(); ++i) {
        out += i == 0 ? "" : ", ";
        out += JsonLine(unseen[i]);
    }
    out += "]}\n";
    return swipe::ShownLine(out, rule);
}

}  // namespace cli
