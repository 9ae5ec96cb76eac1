#include "swipe/swipe_check.h"

#include "swipe/keyboard_layouts.h"
#include "swipe/typed_text.h"

// How the typed text is taken apart, track by track in the order the reader types them:
//
// 1. Nothing typed: where the text ends, a carriage return comes, or the start sentinel of a
//    later track of the form comes, and neither this track's start nor end sentinel, the
//    reader skipped the track: it has no data and no sentinel is checked. Its carriage
//    return is still checked (step 5).
// 2. Start sentinel: the form's one is taken. Where it does not come, a letter or digit (the
//    track's data) or the track's end sentinel means it is missing; any other character is a
//    different start sentinel and is taken as it. Where the form has none, a character that
//    is no letter or digit is an extra start sentinel.
// 3. Data: up to the first of the track's end sentinel, a carriage return, the start
//    sentinel of a later track of the form, or the end of the text.
// 4. End sentinel: taken where the data stopped at it. Otherwise the last character of the
//    data, when no letter or digit, is a different (or, where the form has none, an extra)
//    end sentinel; else the end sentinel is missing. Track data ends in a digit or letter.
// 5. Carriage return after the track: one is taken where the form asks for it, else it is
//    missing. One the form does not ask for is extra and taken, unless the rest reads with
//    fewer differences when it is left to a later track or the packet (the tracks between
//    then typed nothing): a reader that skips track 3 types the packet's return after
//    track 2.
//
// A form whose tracks have nothing between them (no end sentinel, no carriage return after
// the track, no start sentinel of the next one) is not taken apart at all.
//
// Where the text does not match, each common keyboard layout is undone in turn; the first
// under which it matches is named.
//
// Then the carriage return after the packet the same way, and whatever is left came after
// the packet. Data "E" is a track the reader could not read; no data, a track the card does
// not carry. A read track's data holding the original character of an enabled pair was not
// replaced, unless that character is also the replacement of the other pair.

namespace swipe {
namespace {

struct TrackForm {
    int track = 0;
    std::string start;
    std::string end;
    bool returnAfter = false;
};

struct Pair {
    std::string original;
    std::string replacement;
};

std::vector<TrackForm> OutputTracks(const settings::Setup& form) {
    std::vector<TrackForm> tracks;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!form.format.outputTrack[i])
            continue;
        TrackForm track;
        track.track = static_cast<int>(i) + 1;
        track.start = BoxCharacter(form.format.sentinels[2 * i]);
        track.end = BoxCharacter(form.format.sentinels[2 * i + 1]);
        track.returnAfter = form.format.crAfterTrack[i];
        tracks.push_back(track);
    }
    return tracks;
}

// The enabled pairs in order; where both have the same original, the first one replaces it
// and the second is left out.
std::vector<Pair> EnabledPairs(const reader::ReplaceSettings& replace) {
    std::vector<Pair> pairs;
    for (int i = 0; i < 2; ++i) {
        if (!replace.enabled[i] || !replace.original[i] || !replace.replacement[i])
            continue;
        const Pair pair{BoxCharacter(replace.original[i]), BoxCharacter(replace.replacement[i])};
        if (pairs.empty() || pairs[0].original != pair.original)
            pairs.push_back(pair);
    }
    return pairs;
}

// Each character that is the original of a pair becomes its replacement; a replaced
// character is not replaced again.
std::string Replaced(const std::string& data, const std::vector<Pair>& pairs) {
    std::string replaced;
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t length = CharacterLength(data, at);
        const std::string character = data.substr(at, length);
        const Pair* pair = nullptr;
        for (const Pair& candidate : pairs)
            if (character == candidate.original)
                pair = &candidate;
        replaced += pair != nullptr ? pair->replacement : character;
        at += length;
    }
    return replaced;
}

bool IsLetterOrDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Where the reading of the text stands and what it found so far; copied to try two readings
// of a carriage return.
struct Reading {
    const std::string* text = nullptr;
    std::size_t at = 0;
    std::vector<TrackTyped> tracks;
    std::vector<Difference> differences;

    bool AtEnd() const { return at >= text->size(); }
    bool AtReturn() const { return !AtEnd() && (*text)[at] == '\r'; }
    bool AtData() const { return !AtEnd() && IsLetterOrDigit((*text)[at]); }
    bool At(const std::string& sentinel) const {
        return !sentinel.empty() && text->compare(at, sentinel.size(), sentinel) == 0;
    }
    std::string Take() {
        std::string character = text->substr(at, CharacterLength(*text, at));
        at += character.size();
        return character;
    }
    std::string From(std::size_t begin) const { return text->substr(begin, at - begin); }

    void Add(DifferenceKind kind, int track, const std::string& expected, const std::string& came) {
        Difference difference;
        difference.kind = kind;
        difference.track = track;
        difference.expected = expected;
        difference.came = came;
        differences.push_back(difference);
    }
};

class SwipeReader {
public:
    SwipeReader(const std::vector<TrackForm>& tracks, const std::vector<Pair>& pairs,
                bool returnAfterPacket)
        : tracks_(tracks), pairs_(pairs), returnAfterPacket_(returnAfterPacket) {}

    // Reads the tracks from `index` on, then the end of the packet.
    void ReadFrom(std::size_t index, Reading& in) const {
        if (index == tracks_.size()) {
            ReadPacketEnd(in);
            return;
        }
        const TrackForm& form = tracks_[index];
        in.tracks.push_back(ReadTrack(index, in));
        if (form.returnAfter && in.AtReturn()) {
            in.Take();
        } else if (form.returnAfter) {
            in.Add(DifferenceKind::MissingReturn, form.track, "\r", "");
        } else if (in.AtReturn()) {
            // Not asked for here: an extra one, unless it is that of a later track or of the
            // packet with the tracks between typing nothing, which reads with fewer
            // differences.
            Reading left = in;
            in.Add(DifferenceKind::ExtraReturn, form.track, "", in.Take());
            ReadFrom(index + 1, in);
            ReadFrom(index + 1, left);
            if (left.differences.size() < in.differences.size())
                in = left;
            return;
        }
        ReadFrom(index + 1, in);
    }

private:
    TrackTyped ReadTrack(std::size_t index, Reading& in) const {
        const TrackForm& form = tracks_[index];
        TrackTyped typed;
        typed.track = form.track;
        if (NothingTyped(index, in))
            return typed;
        const std::size_t begin = in.at;
        ReadStart(form, in);
        std::string data = ReadData(index, in);
        ReadEnd(form, data, in);
        typed.typed = in.From(begin);
        if (data == "E")
            typed.state = TrackState::Unreadable;
        else if (!data.empty())
            typed.state = TrackState::Read;
        if (typed.state == TrackState::Read)
            CheckReplaced(form.track, data, in);
        return typed;
    }

    void ReadPacketEnd(Reading& in) const {
        if (returnAfterPacket_ && in.AtReturn())
            in.Take();
        else if (returnAfterPacket_)
            in.Add(DifferenceKind::MissingReturn, 0, "\r", "");
        else if (in.AtReturn())
            in.Add(DifferenceKind::ExtraReturn, 0, "", in.Take());
        if (!in.AtEnd())
            in.Add(DifferenceKind::AfterPacket, 0, "", in.text->substr(in.at));
    }

    bool AtLaterStart(std::size_t index, const Reading& in) const {
        for (std::size_t later = index + 1; later < tracks_.size(); ++later)
            if (in.At(tracks_[later].start))
                return true;
        return false;
    }

    bool NothingTyped(std::size_t index, const Reading& in) const {
        const TrackForm& form = tracks_[index];
        if (in.At(form.start) || in.At(form.end))
            return false;
        return in.AtEnd() || in.AtReturn() || AtLaterStart(index, in);
    }

    static void ReadStart(const TrackForm& form, Reading& in) {
        if (in.At(form.start))
            in.Take();
        else if (form.start.empty() && !in.AtData() && !in.At(form.end))
            in.Add(DifferenceKind::StartSentinel, form.track, "", in.Take());
        else if (!form.start.empty() && (in.AtData() || in.At(form.end)))
            in.Add(DifferenceKind::StartSentinel, form.track, form.start, "");
        else if (!form.start.empty())
            in.Add(DifferenceKind::StartSentinel, form.track, form.start, in.Take());
    }

    std::string ReadData(std::size_t index, Reading& in) const {
        const std::size_t begin = in.at;
        while (!in.AtEnd() && !in.AtReturn() && !in.At(tracks_[index].end) &&
               !AtLaterStart(index, in))
            in.Take();
        return in.From(begin);
    }

    static void ReadEnd(const TrackForm& form, std::string& data, Reading& in) {
        if (in.At(form.end)) {
            in.Take();
            return;
        }
        std::string came;
        const std::size_t last = LastCharacter(data);
        if (last < data.size() && !IsLetterOrDigit(data[last])) {
            came = data.substr(last);
            data.erase(last);
        }
        if (!form.end.empty() || !came.empty())
            in.Add(DifferenceKind::EndSentinel, form.track, form.end, came);
    }

    // Where the last character of `data` starts; its size when empty.
    static std::size_t LastCharacter(const std::string& data) {
        std::size_t last = data.size();
        for (std::size_t at = 0; at < data.size(); at += CharacterLength(data, at))
            last = at;
        return last;
    }

    void CheckReplaced(int track, const std::string& data, Reading& in) const {
        for (const Pair& pair : pairs_) {
            bool alsoReplacement = false;
            for (const Pair& other : pairs_)
                alsoReplacement = alsoReplacement || other.replacement == pair.original;
            if (!alsoReplacement && data.find(pair.original) != std::string::npos)
                in.Add(DifferenceKind::NotReplaced, track, pair.replacement, pair.original);
        }
    }

    const std::vector<TrackForm>& tracks_;
    const std::vector<Pair>& pairs_;
    bool returnAfterPacket_;
};

// Whether the form puts something between each two of its tracks.
bool TracksApart(const std::vector<TrackForm>& tracks) {
    for (std::size_t i = 1; i < tracks.size(); ++i) {
        const TrackForm& before = tracks[i - 1];
        if (before.end.empty() && !before.returnAfter && tracks[i].start.empty())
            return false;
    }
    return true;
}

// The check of `typed` as it came, no keyboard layout considered.
SwipeCheck CheckAsTyped(const settings::Setup& form, const std::string& typed) {
    SwipeCheck check;
    const std::vector<TrackForm> tracks = OutputTracks(form);
    check.tracksApart = TracksApart(tracks);
    if (!check.tracksApart)
        return check;
    std::vector<Pair> pairs;
    for (const Pair& pair : EnabledPairs(form.replace))
        if (pair.original != pair.replacement)
            pairs.push_back(pair);
    Reading in;
    in.text = &typed;
    SwipeReader(tracks, pairs, form.format.crAfterPacket).ReadFrom(0, in);
    check.tracks = in.tracks;
    check.differences = in.differences;
    check.matches = check.differences.empty();
    return check;
}

}  // namespace

SwipeCheck CheckSwipe(const settings::Setup& form, const std::string& typed) {
    SwipeCheck check = CheckAsTyped(form, typed);
    if (check.matches || !check.tracksApart)
        return check;
    for (std::size_t i = 0; i < CommonLayoutCount(); ++i) {
        const KeyboardLayout& layout = CommonLayouts()[i];
        const std::string undone = UndoLayout(layout, typed);
        if (undone == typed)
            continue;
        SwipeCheck throughLayout = CheckAsTyped(form, undone);
        if (!throughLayout.matches)
            continue;
        throughLayout.matches = false;
        throughLayout.layout = layout.english;
        return throughLayout;
    }
    return check;
}

int ReturnsPerSwipe(const settings::Setup& form) {
    int returns = form.format.crAfterPacket ? 1 : 0;
    for (const TrackForm& track : OutputTracks(form))
        returns += track.returnAfter ? 1 : 0;
    return returns;
}

std::string TypedFor(const settings::Setup& form, const std::array<std::string, 3>& tracks) {
    const std::vector<Pair> pairs = EnabledPairs(form.replace);
    std::string typed;
    for (const TrackForm& track : OutputTracks(form)) {
        typed += track.start + Replaced(tracks[track.track - 1], pairs) + track.end;
        if (track.returnAfter)
            typed += '\r';
    }
    if (form.format.crAfterPacket)
        typed += '\r';
    return typed;
}

}  // namespace swipe
