#include "swipe/swipe_check.h"

#include "settings/utf8.h"
#include "swipe/track_fields.h"
#include "swipe/typed_text.h"

// How the typed text is taken apart, track by track in the order the reader types them:
//
// 1. Nothing typed: where the text ends, a carriage return comes, or the start sentinel of a
//    later track of the form comes, and neither this track's start nor end sentinel, the
//    reader skipped the track: it has no data and no sentinel is checked. Its carriage
//    return is still checked (step 6).
// 2. Start sentinel: the form's one is taken. Where it does not come, a letter or digit (the
//    track's data) or the track's end sentinel means it is missing; any other character is a
//    different start sentinel and is taken as it. Where the form has none, a character that
//    is no letter or digit is an extra start sentinel.
// 3. Data: up to the first of the track's end sentinel, a carriage return, the start
//    sentinel of a later track of the form, or the end of the text.
// 4. End sentinel: taken where the data stopped at it. Otherwise the last character of the
//    data, when no letter or digit, is a different (or, where the form has none, an extra)
//    end sentinel; else the end sentinel is missing. Track data ends in a digit or letter.
// 5. After the end sentinel, one character followed by what may follow a track (a carriage
//    return, a later start sentinel, the end) is a check character the reader sends: taken,
//    and named.
// 6. Carriage return after the track: one is taken where the form asks for it, else it is
//    missing. One the form does not ask for is extra and taken, unless the rest reads with
//    fewer differences when it is left to a later track or the packet (the tracks between
//    then typed nothing): a reader that skips track 3 types the packet's return after
//    track 2.
//
// A form whose tracks have nothing between them (no end sentinel, no carriage return after
// the track, no start sentinel of the next one) is not taken apart at all.
//
// Then the carriage return after the packet the same way, and whatever is left came after
// the packet. Data "E" is a track the reader could not read; no data, a track the card does
// not carry. A read track's data holding the original character of an enabled pair was not
// replaced, unless that character is also the replacement of the other pair.
//
// Where the text does not match as it came, or its track 1 holds small letters, it is read
// again through each known layout with Caps Lock off, then with Caps Lock alone, then through
// each layout with Caps Lock on; every layout of the first of these kinds that reads it right
// (no difference, no small letter in track 1) and types it so from what it read is named.

namespace swipe {
namespace {

struct TrackForm {
    int track = 0;
    CardText start;
    CardText end;
    bool returnAfter = false;
};

struct Pair {
    CardText original;
    CardText replacement;
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
        Pair pair{BoxCharacter(replace.original[i]), BoxCharacter(replace.replacement[i])};
        if (pairs.empty() || pairs[0].original != pair.original)
            pairs.push_back(pair);
    }
    return pairs;
}

// Each character that is the original of a pair becomes its replacement; a replaced
// character is not replaced again.
CardText Replaced(std::string_view data, const std::vector<Pair>& pairs) {
    CardText replaced;
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t length = CharacterLength(data, at);
        const std::string_view character = data.substr(at, length);
        const Pair* pair = nullptr;
        for (const Pair& candidate : pairs)
            if (candidate.original == character)
                pair = &candidate;
        replaced += pair != nullptr ? pair->replacement.view() : character;
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
    std::string_view text;
    std::size_t at = 0;
    std::vector<TrackTyped> tracks;
    std::vector<Difference> differences;

    bool AtEnd() const { return at >= text.size(); }
    bool AtReturn() const { return !AtEnd() && text[at] == '\r'; }
    bool AtData() const { return !AtEnd() && IsLetterOrDigit(text[at]); }
    bool At(const CardText& sentinel, std::size_t where) const {
        return !sentinel.empty() && text.substr(where, sentinel.size()) == sentinel.view();
    }
    bool At(const CardText& sentinel) const { return At(sentinel, at); }
    CardText Take() {
        CardText character(text.substr(at, CharacterLength(text, at)));
        at += character.size();
        return character;
    }
    void Skip() { at += CharacterLength(text, at); }
    std::string_view From(std::size_t begin) const { return text.substr(begin, at - begin); }

    void Add(DifferenceKind kind, int track, const CardText& expected, const CardText& came) {
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
            in.Skip();
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
        typed.at = in.at;
        if (NothingTyped(index, in))
            return typed;
        const std::size_t begin = in.at;
        ReadStart(form, in);
        const std::size_t dataBegin = in.at;
        CardText data(ReadData(index, in));
        ReadEnd(index, data, in);
        typed.typed = in.From(begin);
        typed.data = {dataBegin - begin, data.size()};
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
            in.Skip();
        else if (returnAfterPacket_)
            in.Add(DifferenceKind::MissingReturn, 0, "\r", "");
        else if (in.AtReturn())
            in.Add(DifferenceKind::ExtraReturn, 0, "", in.Take());
        if (!in.AtEnd())
            in.Add(DifferenceKind::AfterPacket, 0, "", CardText(in.text.substr(in.at)));
    }

    bool AtLaterStart(std::size_t index, const Reading& in, std::size_t where) const {
        for (std::size_t later = index + 1; later < tracks_.size(); ++later)
            if (in.At(tracks_[later].start, where))
                return true;
        return false;
    }
    bool AtLaterStart(std::size_t index, const Reading& in) const {
        return AtLaterStart(index, in, in.at);
    }

    bool NothingTyped(std::size_t index, const Reading& in) const {
        const TrackForm& form = tracks_[index];
        if (in.At(form.start) || in.At(form.end))
            return false;
        return in.AtEnd() || in.AtReturn() || AtLaterStart(index, in);
    }

    static void ReadStart(const TrackForm& form, Reading& in) {
        if (in.At(form.start))
            in.Skip();
        else if (form.start.empty() && !in.AtData() && !in.At(form.end))
            in.Add(DifferenceKind::StartSentinel, form.track, "", in.Take());
        else if (!form.start.empty() && (in.AtData() || in.At(form.end)))
            in.Add(DifferenceKind::StartSentinel, form.track, form.start, "");
        else if (!form.start.empty())
            in.Add(DifferenceKind::StartSentinel, form.track, form.start, in.Take());
    }

    std::string_view ReadData(std::size_t index, Reading& in) const {
        const std::size_t begin = in.at;
        while (!in.AtEnd() && !in.AtReturn() && !in.At(tracks_[index].end) &&
               !AtLaterStart(index, in))
            in.Skip();
        return in.From(begin);
    }

    void ReadEnd(std::size_t index, CardText& data, Reading& in) const {
        const TrackForm& form = tracks_[index];
        if (in.At(form.end)) {
            in.Skip();
            ReadCheckCharacter(index, in);
            return;
        }
        CardText came;
        const std::size_t last = LastCharacter(data);
        if (last < data.size() && !IsLetterOrDigit(data[last])) {
            came = data.substr(last);
            data.Truncate(last);
        }
        if (!form.end.empty() || !came.empty())
            in.Add(DifferenceKind::EndSentinel, form.track, form.end, came);
    }

    // One character after the end sentinel, where a track may end after it. Where the next
    // track begins with no sentinel and no carriage return comes between, that character may
    // be its data: it is left to it.
    void ReadCheckCharacter(std::size_t index, Reading& in) const {
        if (in.AtEnd() || in.AtReturn() || AtLaterStart(index, in))
            return;
        if (!tracks_[index].returnAfter && index + 1 < tracks_.size() &&
            tracks_[index + 1].start.empty())
            return;
        const std::size_t next = in.at + CharacterLength(in.text, in.at);
        if (next < in.text.size() && in.text[next] != '\r' && !AtLaterStart(index, in, next))
            return;
        in.Add(DifferenceKind::AfterEndSentinel, tracks_[index].track, "", in.Take());
    }

    // Where the last character of `data` starts; its size when empty.
    static std::size_t LastCharacter(std::string_view data) {
        std::size_t last = data.size();
        for (std::size_t at = 0; at < data.size(); at += CharacterLength(data, at))
            last = at;
        return last;
    }

    void CheckReplaced(int track, const CardText& data, Reading& in) const {
        for (const Pair& pair : pairs_) {
            bool alsoReplacement = false;
            for (const Pair& other : pairs_)
                alsoReplacement = alsoReplacement || other.replacement == pair.original;
            if (!alsoReplacement && data.find(pair.original) != CardText::npos)
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
SwipeCheck CheckAsTyped(const settings::Setup& form, std::string_view typed) {
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
    in.text = typed;
    SwipeReader(tracks, pairs, form.format.crAfterPacket).ReadFrom(0, in);
    check.tracks = std::move(in.tracks);
    check.differences = std::move(in.differences);
    return check;
}

const TrackTyped* ReadTrack(const SwipeCheck& check, int track) {
    for (const TrackTyped& typed : check.tracks)
        if (typed.track == track && typed.state == TrackState::Read)
            return &typed;
    return nullptr;
}

std::string_view DataOf(const TrackTyped& track) {
    return track.typed.view().substr(track.data.at, track.data.size);
}

// Track 1 holds capitals only: a small letter there came with Caps Lock on, unless a pair of
// the form puts it there.
bool SmallLettersInTrack1(const SwipeCheck& check, const settings::Setup& form) {
    const TrackTyped* track1 = ReadTrack(check, 1);
    if (track1 == nullptr)
        return false;
    const std::vector<Pair> pairs = EnabledPairs(form.replace);
    for (const char c : DataOf(*track1)) {
        bool replacement = false;
        for (const Pair& pair : pairs)
            replacement = replacement || pair.replacement == std::string_view(&c, 1);
        if (c >= 'a' && c <= 'z' && !replacement)
            return true;
    }
    return false;
}

bool ReadsRight(const SwipeCheck& check, const settings::Setup& form) {
    return check.differences.empty() && !SmallLettersInTrack1(check, form);
}

// The check digit of ISO/IEC 7812: every second digit from the right doubled.
bool PassesLuhn(std::string_view number) {
    int sum = 0;
    bool doubled = false;
    for (std::size_t i = number.size(); i-- > 0; doubled = !doubled) {
        int digit = number[i] - '0';
        if (doubled)
            digit = digit * 2 > 9 ? digit * 2 - 9 : digit * 2;
        sum += digit;
    }
    return sum % 10 == 0;
}

// A bank card: track 1 says so with its format code B; without track 1, a track 2 number of
// a bank's or card scheme's range (2 to 5).
bool IsBankCard(const SwipeCheck& check, const std::optional<std::string_view>& track2) {
    if (const TrackTyped* track1 = ReadTrack(check, 1))
        return !DataOf(*track1).empty() && DataOf(*track1)[0] == 'B';
    return track2 && !track2->empty() && (*track2)[0] >= '2' && (*track2)[0] <= '5';
}

// A bank card's number: 12 to 19 digits.
bool IsCardNumber(std::string_view number) {
    if (number.size() < 12 || number.size() > 19)
        return false;
    for (const char c : number)
        if (c < '0' || c > '9')
            return false;
    return true;
}

void AddFindings(SwipeCheck& check) {
    std::optional<std::string_view> numbers[2];
    for (int track = 1; track <= 2; ++track)
        if (const TrackTyped* typed = ReadTrack(check, track))
            numbers[track - 1] = CardNumberOf(track, DataOf(*typed));
    if (!IsBankCard(check, numbers[1]))
        return;
    if (numbers[0] && numbers[1] && *numbers[0] != *numbers[1] &&
        (IsCardNumber(*numbers[0]) || IsCardNumber(*numbers[1]))) {
        CardFinding finding;
        finding.problem = CardProblem::NumbersDiffer;
        finding.number = *numbers[0];
        finding.other = *numbers[1];
        check.findings.push_back(finding);
    }
    for (int track = 1; track <= 2; ++track) {
        const std::optional<std::string_view>& number = numbers[track - 1];
        const bool sameAsTrack1 = track == 2 && numbers[0] && *numbers[0] == *number;
        if (!number || sameAsTrack1 || !IsCardNumber(*number) || PassesLuhn(*number))
            continue;
        CardFinding finding;
        finding.problem = CardProblem::CheckDigit;
        finding.track = track;
        finding.number = *number;
        check.findings.push_back(finding);
    }
}

SwipeCheck Finished(SwipeCheck check) {
    AddFindings(check);
    check.matches = check.tracksApart && !check.capsLock && check.layouts.empty() &&
                    check.differences.empty() && check.findings.empty();
    return check;
}

struct LayoutReading {
    const KeyboardLayout* layout;  // nullptr: the US keyboard
    bool capsLock;
};

// The readings tried, in order: each layout, Caps Lock alone, each layout with Caps Lock.
std::vector<LayoutReading> Readings() {
    std::vector<LayoutReading> readings;
    for (const KeyboardLayout& layout : NamedLayouts())
        readings.push_back({&layout, false});
    readings.push_back({nullptr, true});
    for (const KeyboardLayout& layout : NamedLayouts())
        readings.push_back({&layout, true});
    return readings;
}

}  // namespace

SwipeCheck CheckSwipe(const settings::Setup& form, std::string_view typed) {
    SwipeCheck direct = CheckAsTyped(form, typed);
    if (!direct.tracksApart || ReadsRight(direct, form))
        return Finished(std::move(direct));
    static const std::vector<LayoutReading> readings = Readings();
    std::optional<SwipeCheck> found;
    for (const LayoutReading& reading : readings) {
        // The first kind of reading that reads right is the answer; Caps Lock alone needs no
        // layout besides.
        if (found && (found->capsLock != reading.capsLock || found->layouts.empty()))
            break;
        const KeyboardLayout& layout = reading.layout != nullptr ? *reading.layout : UsLayout();
        const CardText us = UndoLayout(layout, reading.capsLock, typed);
        if (us == typed)
            continue;
        SwipeCheck check = CheckAsTyped(form, us);
        // Read right, and typed so by that layout: a character that two of its keys type
        // alike reads back as one of them only.
        if (!ReadsRight(check, form) || TypeThrough(layout, reading.capsLock, us) != typed)
            continue;
        if (!found) {
            found = std::move(check);
            found->capsLock = reading.capsLock;
        }
        if (reading.layout != nullptr)
            found->layouts.push_back(reading.layout);
    }
    if (found)
        return Finished(std::move(*found));
    if (!SmallLettersInTrack1(direct, form))
        return Finished(std::move(direct));
    // Caps Lock even so: read with the case of the letters turned, to name what else differs.
    SwipeCheck capsLock = CheckAsTyped(form, UndoLayout(UsLayout(), true, typed));
    capsLock.capsLock = true;
    return Finished(std::move(capsLock));
}

std::vector<TrackTyped> TracksAsTyped(const settings::Setup& form, std::string_view typed) {
    return CheckAsTyped(form, typed).tracks;
}

int ReturnsPerSwipe(const settings::Setup& form) {
    int returns = form.format.crAfterPacket ? 1 : 0;
    for (const TrackForm& track : OutputTracks(form))
        returns += track.returnAfter ? 1 : 0;
    return returns;
}

CardText TypedFor(const settings::Setup& form, const std::array<CardText, 3>& tracks) {
    const std::vector<Pair> pairs = EnabledPairs(form.replace);
    CardText typed;
    for (const TrackForm& track : OutputTracks(form)) {
        typed += track.start;
        typed += Replaced(tracks[track.track - 1], pairs);
        typed += track.end;
        if (track.returnAfter)
            typed += '\r';
    }
    if (form.format.crAfterPacket)
        typed += '\r';
    return typed;
}

std::vector<char32_t> DigitReplacements(const settings::Setup& form) {
    std::vector<char32_t> digits;
    for (const Pair& pair : EnabledPairs(form.replace)) {
        std::size_t length = 0;
        if (pair.original.size() == 1 && pair.original[0] >= '0' && pair.original[0] <= '9')
            digits.push_back(settings::DecodeUtf8(pair.replacement, 0, length));
    }
    return digits;
}

}  // namespace swipe
