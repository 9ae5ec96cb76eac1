#include "settings/choices.h"

#include <algorithm>

#include "settings/form_checks.h"
#include "settings/form_record.h"
#include "settings/quoting.h"
#include "settings/typed_character.h"
#include "settings/utf8.h"

namespace settings {
namespace {

// Why the window would refuse a form, in a sentence about the choices that make it.
std::string RefusalText(Occasion refusal) {
    switch (refusal) {
        case Occasion::FormatNoTrack:
            return "no track chosen: name at least one of 1, 2 and 3";
        case Occasion::FormatCrConflict:
            return "a carriage return after the packet and after a track exclude each other";
        case Occasion::FormatDigitSentinel:
            return "a sentinel cannot be a digit: the till could not tell it from the card's "
                   "digits";
        case Occasion::FormatReturnWithoutTrack:
            return "a carriage return after a track that is not output is never sent";
        case Occasion::ReplaceNoPairChosen:
            return "no pair given: give one or two pairs like a=x";
        default:
            break;
    }
    return "each pair needs a character and its replacement, like a=x";
}

// A pair that is not used, in the place of the first one when only the second is.
const char kUnusedPair[] = "-";

const char* const kSentinelNames[6] = {"track1-start", "track1-end",   "track2-start",
                                       "track2-end",   "track3-start", "track3-end"};

// `text` without the blanks (spaces, tabs) at either end.
std::string Trimmed(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos)
        return "";
    return text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

// Items separated by commas, blanks around them left out ("1, 2"); no items at all for a
// value of blanks alone.
std::vector<std::string> CommaItems(const std::string& value) {
    std::vector<std::string> items;
    if (Trimmed(value).empty())
        return items;
    std::size_t begin = 0;
    for (std::size_t comma; (comma = value.find(',', begin)) != std::string::npos;
         begin = comma + 1)
        items.push_back(Trimmed(value.substr(begin, comma - begin)));
    items.push_back(Trimmed(value.substr(begin)));
    return items;
}

// A track digit 1 to 3 as an index 0 to 2.
std::optional<int> TrackIndex(const std::string& item) {
    if (item.size() == 1 && item[0] >= '1' && item[0] <= '3')
        return item[0] - '1';
    return std::nullopt;
}

std::string NotATrack(const std::string& item) {
    return Quoted(item) + " is not a track: tracks are 1, 2 and 3";
}

std::optional<std::string> ApplyTracks(reader::FormatSettings& format, const std::string& value) {
    bool chosen[3] = {};
    for (const std::string& item : CommaItems(value)) {
        const auto track = TrackIndex(item);
        if (!track)
            return NotATrack(item);
        chosen[*track] = true;
    }
    for (int i = 0; i < 3; ++i)
        format.outputTrack[i] = chosen[i];
    return std::nullopt;
}

std::optional<std::string> ApplyCr(reader::FormatSettings& format, const std::string& value) {
    bool packet = false, track[3] = {};
    if (Trimmed(value) != "none") {
        for (const std::string& item : CommaItems(value)) {
            if (item == "packet") {
                packet = true;
                continue;
            }
            const auto index = TrackIndex(item);
            if (!index)
                return Quoted(item) + " is not packet, none or a track 1, 2 or 3";
            track[*index] = true;
        }
    }
    format.crAfterPacket = packet;
    for (int i = 0; i < 3; ++i)
        format.crAfterTrack[i] = track[i];
    return std::nullopt;
}

// One character the reader can type, or nothing (settings/typed_character.h).
std::optional<std::string> ReadCharacter(const std::string& value,
                                         std::optional<std::uint8_t>& character) {
    const CharacterFault fault = CheckTypedCharacter(value);
    if (fault != CharacterFault::None)
        return CharacterFaultText(value, fault, true);
    character = TypedCharacter(value);
    return std::nullopt;
}

std::string CharacterText(const std::optional<std::uint8_t>& character) {
    return character ? std::string(1, static_cast<char>(*character)) : std::string();
}

std::string PairText(const reader::ReplaceSettings& replace, int pair) {
    return CharacterText(replace.original[pair]) + "=" + CharacterText(replace.replacement[pair]);
}

// "a=x", "a=" or "=x" (an incomplete pair the window refuses), or "="; a character that is
// not ASCII counts as one, so that the pair is refused for it.
std::optional<std::string> ReadPair(const std::string& text, std::optional<std::uint8_t>& original,
                                    std::optional<std::uint8_t>& replacement) {
    std::vector<std::string> characters;
    for (std::size_t at = 0; at < text.size() && characters.size() <= 3;) {
        const std::size_t length = std::max<std::size_t>(Utf8SequenceLength(text, at), 1);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    const std::size_t count = characters.size();
    const std::size_t at = count == 3 || (count == 2 && characters[1] == "=") ? 1 : 0;
    if (count == 0 || count > 3 || characters[at] != "=" || (at == 0 && count == 3))
        return Quoted(text) + " is not a pair like a=x";
    const std::string left = at == 1 ? characters[0] : "";
    const std::string right = count > at + 1 ? characters[at + 1] : "";
    if (auto error = ReadCharacter(left, original))
        return Quoted(text) + ": " + *error;
    if (auto error = ReadCharacter(right, replacement))
        return Quoted(text) + ": " + *error;
    return std::nullopt;
}

// The parts of `value` between blanks (space, tab, line ends, as a stream reads words).
std::vector<std::string> Words(const std::string& value) {
    static const char kBlanks[] = " \t\n\v\f\r";
    std::vector<std::string> words;
    for (std::size_t begin = value.find_first_not_of(kBlanks); begin != std::string::npos;) {
        const std::size_t end = value.find_first_of(kBlanks, begin);  // npos: to the end
        words.push_back(value.substr(begin, end - begin));
        begin = value.find_first_not_of(kBlanks, end);
    }
    return words;
}

// A pair written with blanks around its "=" ("a = x", "a= x", "a =x"), which reads as more
// than one word: the pair as written, or nothing when no word stands so.
std::optional<std::string> PairWithBlanks(const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        // A neighbour that could be half of the pair: no "=" of its own, not the unused pair.
        const auto half = [&words](std::size_t k) {
            return words[k].find('=') == std::string::npos && words[k] != kUnusedPair;
        };
        const bool before = i > 0 && half(i - 1);
        const bool after = i + 1 < words.size() && half(i + 1);
        if (word == "=" && before && after)
            return words[i - 1] + " = " + words[i + 1];
        if (word.size() > 1 && word.back() == '=' && word.find('=') == word.size() - 1 && after)
            return word + " " + words[i + 1];
        if (word.size() > 1 && word.front() == '=' && word.find('=', 1) == std::string::npos &&
            before)
            return words[i - 1] + " " + word;
    }
    return std::nullopt;
}

}  // namespace

Setup DefaultSetup() {
    Setup setup;
    setup.format = DefaultFormat();
    return setup;
}

const std::vector<std::string>& ChoiceNames() {
    static const std::vector<std::string> names = {"tracks",       "cr",           "track1-start",
                                                   "track1-end",   "track2-start", "track2-end",
                                                   "track3-start", "track3-end",   "replace"};
    return names;
}

bool IsFormatChoice(const std::string& name) {
    for (const std::string& known : ChoiceNames())
        if (known == name)
            return name != "replace";
    return false;
}

std::optional<std::string> ParsePairs(const std::vector<std::string>& values, bool needPair,
                                      reader::ReplaceSettings& replace) {
    if (values.size() > 2)
        return "at most two pairs, not " + std::to_string(values.size());
    reader::ReplaceSettings pairs;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == kUnusedPair)
            continue;
        pairs.enabled[i] = true;
        if (auto error = ReadPair(values[i], pairs.original[i], pairs.replacement[i]))
            return error;
    }
    const auto refusal = ReplaceRefusal(pairs);
    if (refusal && (needPair || *refusal != Occasion::ReplaceNoPairChosen))
        return RefusalText(*refusal);
    replace = pairs;
    return std::nullopt;
}

std::optional<std::string> ApplyChoice(Setup& setup, const std::string& name,
                                       const std::string& value) {
    if (name == "replace") {
        const std::vector<std::string> words = Words(value);
        if (words.size() == 1 && words[0] == "none")
            return ParsePairs({}, false, setup.replace);
        if (const auto pair = PairWithBlanks(words))
            return Quoted(*pair) + " has blanks inside: write a pair without them, like a=x";
        return ParsePairs(words, false, setup.replace);
    }
    reader::FormatSettings format = setup.format;
    std::optional<std::string> error;
    if (name == "tracks") {
        error = ApplyTracks(format, value);
    } else if (name == "cr") {
        error = ApplyCr(format, value);
    } else {
        for (int i = 0; i < 6; ++i)
            if (name == kSentinelNames[i])
                error = ReadCharacter(value, format.sentinels[i]);
    }
    if (error)
        return error;
    // Only the value just read can break the window's rules: the rest was checked before.
    if (const auto refusal = FormatRefusal(format))
        return RefusalText(*refusal);
    setup.format = format;
    return std::nullopt;
}

std::string ChoiceValue(const Setup& setup, const std::string& name) {
    const reader::FormatSettings& format = setup.format;
    std::string value;
    auto add = [&value](const std::string& item) { value += (value.empty() ? "" : ",") + item; };
    if (name == "tracks") {
        for (int i = 0; i < 3; ++i)
            if (format.outputTrack[i])
                add(std::to_string(i + 1));
    } else if (name == "cr") {
        if (format.crAfterPacket)
            add("packet");
        for (int i = 0; i < 3; ++i)
            if (format.crAfterTrack[i])
                add(std::to_string(i + 1));
        if (value.empty())
            value = "none";
    } else if (name == "replace") {
        const reader::ReplaceSettings& replace = setup.replace;
        if (!replace.enabled[0] && !replace.enabled[1])
            return "none";
        // The first pair holds its place when only the second one is used.
        value = replace.enabled[0] ? PairText(replace, 0) : kUnusedPair;
        if (replace.enabled[1])
            value += " " + PairText(replace, 1);
    } else {
        for (int i = 0; i < 6; ++i)
            if (name == kSentinelNames[i])
                value = CharacterText(format.sentinels[i]);
    }
    return value;
}

}  // namespace settings
