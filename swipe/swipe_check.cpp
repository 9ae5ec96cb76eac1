#include "swipe/swipe_check.h"

#include <cctype>

#include "settings/utf8.h"
#include "swipe/track_fields.h"
#include "swipe/typed_text.h"

// How the reader's format is read back: every way of cutting the text into tracks, in the
// order 1, 2, 3, that a reader's format types is tried, and the one with the fewest
// differences from the form is kept. What a reader types for one track is
//
//     [start sentinel] data [end sentinel [check character]] [carriage return]
//
// where the data is the track's own shape (swipe_check.h), "E" (the reader could not read
// the track) or nothing (the card holds no data there; then something else must come, or the
// track was not typed at all). A sentinel is one character, never a digit and never a
// carriage return; around a track without data, never a letter. A check character follows
// the end sentinel of a track with data. A carriage return after the packet excludes those after
// tracks. What no reading takes is left over: text no reader's format types.
//
// The data decides which track a piece is; the form decides only between readings that type
// the text alike, and every such reading has the same tracks with data. A track the form asks
// for that no piece is is not seen; a track the reader outputs that the form leaves out is a
// difference.
//
// Where the text does not read right as it came, or its track 1 holds small letters, it is
// read again through each known layout with Caps Lock off, then with Caps Lock alone, then
// through each layout with Caps Lock on; every layout of the first of these kinds that reads
// it right (no difference, no small letter in track 1) and types it so from what it read is
// named.

namespace swipe {
namespace {

constexpr std::size_t kLongestNumber = 19;
// Track 3 opens with a format code of two digits and the number: one digit alone after an
// end sentinel is a check character, not track 3.
constexpr std::size_t kShortestTrack3 = 3;

struct TrackForm {
    bool output = false;
    CardText start;
    CardText end;
    bool returnAfter = false;
};

struct Pair {
    CardText original;
    CardText replacement;
};

std::array<TrackForm, 3> FormTracks(const settings::Setup& form) {
    std::array<TrackForm, 3> tracks;
    for (std::size_t i = 0; i < 3; ++i) {
        tracks[i].output = form.format.outputTrack[i];
        tracks[i].start = BoxCharacter(form.format.sentinels[2 * i]);
        tracks[i].end = BoxCharacter(form.format.sentinels[2 * i + 1]);
        tracks[i].returnAfter = form.format.crAfterTrack[i];
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text as the track shapes are read: each replacement of an ASCII pair is read as its
// original, as the card holds it.
class Shapes {
public:
    Shapes(std::string_view text, const std::vector<Pair>& pairs) : text_(text) {
        for (int c = 0; c < 128; ++c)
            card_[c] = static_cast<char>(c);
        for (const Pair& pair : pairs)
            if (pair.original.size() == 1 && pair.replacement.size() == 1)  // both ASCII
                card_[static_cast<unsigned char>(pair.replacement[0])] = pair.original[0];
    }

    // The length of track `track`'s data at `at`, the longest that has its shape; 0 for none.
    std::size_t DataLength(int track, std::size_t at) const {
        std::size_t p = at;
        if (track == 1) {
            if (!(Card(p) >= 'A' && Card(p) <= 'Z'))
                return 0;
            const std::size_t number = Digits(++p);
            p += number;
            if (number == 0 || number > kLongestNumber || Card(p) != '^')
                return 0;
            for (++p; p < text_.size() && Card(p) != '^' && text_[p] != '\r';)
                ++p;
            if (Card(p) != '^')
                return 0;
            for (++p; IsDigit(Card(p)) || (Card(p) >= 'A' && Card(p) <= 'Z');)
                ++p;
            return p - at;
        }
        const std::size_t number = Digits(p);
        p += number;
        if (track == 2) {
            if (number == 0 || number > kLongestNumber || Card(p) != '=')
                return 0;
            ++p;
            return p + Digits(p) - at;
        }
        if (number < kShortestTrack3)
            return 0;
        while (Card(p) == '=') {
            ++p;
            p += Digits(p);
        }
        return p - at;
    }

private:
    char Card(std::size_t at) const {
        if (at >= text_.size())
            return '\0';
        const unsigned char c = static_cast<unsigned char>(text_[at]);
        return card_[c];
    }
    std::size_t Digits(std::size_t at) const {
        std::size_t n = 0;
        while (IsDigit(Card(at + n)))
            ++n;
        return n;
    }

    std::string_view text_;
    std::array<char, 256> card_{};  // each byte as the card holds it; '\0' for none in ASCII
};

// What the reader typed for one track, as one reading cuts it.
struct Piece {
    int track = 0;
    std::size_t at = 0;
    std::size_t start = 0;  // sizes of its parts
    std::size_t data = 0;
    std::size_t end = 0;
    std::size_t check = 0;
    bool returnAfter = false;
    TrackState state = TrackState::NoData;

    std::size_t TypedSize() const { return start + data + end; }
};

struct Reading {
    std::vector<Piece> pieces;
    bool returnAfterPacket = false;
    std::size_t left = 0;         // where the text no reading takes begins
    std::size_t differences = 0;  // text left over weighs more than any other
    std::size_t notRead = 0;      // pieces without data: the fewer the better
};

// What a track the form leaves out weighs against a sentinel that differs: where a track's
// data may be that of two tracks (track 2 or 3), the form's track is taken.
constexpr std::size_t kOtherTrack = 2;

// What a check character weighs: where a character may be one or a sentinel of the next
// track, the sentinel is taken.
constexpr std::size_t kCheckCharacter = 2;

// What each character left over weighs against the differences of a reading that takes it.
constexpr std::size_t kLeftOver = 1000;

class FormatSearch {
public:
    FormatSearch(std::string_view text, const std::array<TrackForm, 3>& form,
                 const std::vector<Pair>& pairs, bool returnAfterPacket)
        : text_(text),
          shapes_(text, pairs),
          form_(form),
          pairs_(pairs),
          returnAfterPacket_(returnAfterPacket) {}

    Reading Best() {
        From(1, 0, 0, 0);
        return best_;
    }

    // The differences of a piece from the form (its returns apart).
    std::size_t PieceDifferences(const Piece& piece) const {
        const TrackForm& form = form_[piece.track - 1];
        const std::size_t check = piece.check > 0 ? kCheckCharacter : 0;
        if (!form.output)
            return kOtherTrack + check;
        std::size_t count = check;
        count += Part(piece.at, piece.start) != form.start.view() ? 1 : 0;
        count += Part(piece.at + piece.start + piece.data, piece.end) != form.end.view() ? 1 : 0;
        if (piece.state == TrackState::Read)
            count += NotReplaced(Part(piece.at + piece.start, piece.data)).size();
        return count;
    }

    std::vector<const Pair*> NotReplaced(std::string_view data) const {
        std::vector<const Pair*> found;
        for (const Pair& pair : pairs_) {
            bool alsoReplacement = false;
            for (const Pair& other : pairs_)
                alsoReplacement = alsoReplacement || other.replacement == pair.original;
            if (!alsoReplacement && data.find(pair.original.view()) != std::string_view::npos)
                found.push_back(&pair);
        }
        return found;
    }

    bool ReturnsDiffer(const Reading& reading) const {
        if (reading.returnAfterPacket != returnAfterPacket_)
            return true;
        for (const Piece& piece : reading.pieces) {
            const TrackForm& form = form_[piece.track - 1];
            if (form.output && form.returnAfter != piece.returnAfter)
                return true;
        }
        return false;
    }

    bool FormReturnAfterPacket() const { return returnAfterPacket_; }

    std::string_view Part(std::size_t at, std::size_t size) const { return text_.substr(at, size); }

private:
    bool Better(const Reading& reading) const {
        if (!found_)
            return true;
        if (reading.differences != best_.differences)
            return reading.differences < best_.differences;
        return reading.notRead < best_.notRead;
    }

    // The reading ends at `at`: the packet's carriage return, then what is left.
    void Finish(std::size_t at, bool anyTrackReturn) {
        for (int packet = 0; packet < 2; ++packet) {
            const bool returnAfterPacket = packet == 1;
            if (returnAfterPacket && (anyTrackReturn || Char(at) != '\r'))
                continue;
            current_.returnAfterPacket = returnAfterPacket;
            current_.left = at + (returnAfterPacket ? 1 : 0);
            const std::size_t saved = current_.differences;
            current_.differences += ReturnsDiffer(current_) ? 1 : 0;
            current_.differences += (text_.size() - current_.left) * kLeftOver;
            if (Better(current_)) {
                best_ = current_;
                found_ = true;
            }
            current_.differences = saved;
        }
    }

    // The pieces of tracks `track` and after, from `at` on.
    void From(int track, std::size_t at, std::size_t differences, std::size_t notRead) {
        if (found_ && differences > best_.differences)
            return;
        bool anyTrackReturn = false;
        for (const Piece& piece : current_.pieces)
            anyTrackReturn = anyTrackReturn || piece.returnAfter;
        current_.differences = differences;
        current_.notRead = notRead;
        Finish(at, anyTrackReturn);
        for (int next = track; next <= 3; ++next)
            TryTrack(next, at, differences, notRead);
    }

    void TryTrack(int track, std::size_t at, std::size_t differences, std::size_t notRead) {
        Piece piece;
        piece.track = track;
        piece.at = at;
        for (const std::size_t start : Options(SentinelAt(at, TrackState::Read))) {
            piece.start = start;
            const std::size_t dataAt = at + start;
            const std::size_t shaped = shapes_.DataLength(track, dataAt);
            if (shaped > 0)
                TryEnd(piece, TrackState::Read, shaped, differences, notRead);
            if (Char(dataAt) == 'E')
                TryEnd(piece, TrackState::Unreadable, 1, differences, notRead);
            if (start == 0 || SentinelAt(at, TrackState::NoData) > 0)
                TryEnd(piece, TrackState::NoData, 0, differences, notRead);
        }
    }

    void TryEnd(Piece piece, TrackState state, std::size_t data, std::size_t differences,
                std::size_t notRead) {
        piece.state = state;
        piece.data = data;
        const std::size_t endAt = piece.at + piece.start + data;
        for (const std::size_t end : Options(SentinelAt(endAt, state))) {
            piece.end = end;
            const std::size_t checkAt = endAt + end;
            const bool checkMay = end > 0 && state == TrackState::Read && checkAt < text_.size() &&
                                  Char(checkAt) != '\r';
            for (const std::size_t check :
                 Options(checkMay ? CharacterLength(text_, checkAt) : 0)) {
                piece.check = check;
                const std::size_t after = checkAt + check;
                for (const bool withReturn : {false, true}) {
                    if (withReturn && Char(after) != '\r')
                        continue;
                    if (after == piece.at && !withReturn)
                        continue;  // nothing typed: no piece
                    piece.returnAfter = withReturn;
                    current_.pieces.push_back(piece);
                    From(piece.track + 1, after + (withReturn ? 1 : 0),
                         differences + PieceDifferences(piece),
                         notRead + (state == TrackState::Read ? 0 : 1));
                    current_.pieces.pop_back();
                }
            }
        }
    }

    // None, and the `size` of one where there is one.
    static std::vector<std::size_t> Options(std::size_t size) {
        if (size == 0)
            return {0};
        return {0, size};
    }

    char Char(std::size_t at) const { return at < text_.size() ? text_[at] : '\0'; }

    // The length of a sentinel at `at` of a piece in `state`: one character, no digit and no
    // carriage return, and no letter around a track without data (it would be data); 0 where
    // none can be.
    std::size_t SentinelAt(std::size_t at, TrackState state) const {
        if (at >= text_.size() || text_[at] == '\r' || IsDigit(text_[at]))
            return 0;
        if (state != TrackState::Read && std::isalpha(static_cast<unsigned char>(text_[at])))
            return 0;
        return CharacterLength(text_, at);
    }

    std::string_view text_;
    Shapes shapes_;
    const std::array<TrackForm, 3>& form_;
    const std::vector<Pair>& pairs_;
    bool returnAfterPacket_;
    Reading current_;
    Reading best_;
    bool found_ = false;
};

// Whether the form puts something between each two of its tracks.
bool TracksApart(const std::array<TrackForm, 3>& tracks) {
    const TrackForm* before = nullptr;
    for (const TrackForm& track : tracks) {
        if (!track.output)
            continue;
        if (before != nullptr && before->end.empty() && !before->returnAfter && track.start.empty())
            return false;
        before = &track;
    }
    return true;
}

// The tracks the form outputs, or those after which it asks for a carriage return, as their
// digits ("12"); 'P' for a return after the packet. Those of `reading` where given.
CardText TrackList(const std::array<TrackForm, 3>& form, bool returns,
                   const Reading* reading = nullptr, bool returnAfterPacket = false) {
    CardText list;
    if (reading != nullptr) {
        for (const Piece& piece : reading->pieces)
            if (!returns || piece.returnAfter)
                list += static_cast<char>('0' + piece.track);
        if (returns && reading->returnAfterPacket)
            list += 'P';
        return list;
    }
    for (int track = 1; track <= 3; ++track)
        if (form[track - 1].output && (!returns || form[track - 1].returnAfter))
            list += static_cast<char>('0' + track);
    if (returns && returnAfterPacket)
        list += 'P';
    return list;
}

void AddDifference(SwipeCheck& check, DifferenceKind kind, int track, std::string_view expected,
                   std::string_view came) {
    Difference difference;
    difference.kind = kind;
    difference.track = track;
    difference.expected = expected;
    difference.came = came;
    check.differences.push_back(difference);
}

// The check's record of what `reading` found: tracks, the format, differences and what was
// not seen.
void Record(const FormatSearch& search, const Reading& reading,
            const std::array<TrackForm, 3>& form, SwipeCheck& check) {
    bool extra = false;
    for (const Piece& piece : reading.pieces)
        extra = extra || !form[piece.track - 1].output;
    if (extra)
        AddDifference(check, DifferenceKind::Tracks, 0, TrackList(form, false),
                      TrackList(form, false, &reading));
    bool anyData = false;
    for (int track = 1; track <= 3; ++track) {
        const Piece* piece = nullptr;
        for (const Piece& each : reading.pieces)
            piece = each.track == track ? &each : piece;
        if (piece == nullptr) {
            if (!form[track - 1].output)
                continue;
            TrackTyped nothing;
            nothing.track = track;
            nothing.at = reading.left;
            check.tracks.push_back(nothing);
            check.unseen.push_back({UnseenKind::NothingTyped, track});
            continue;
        }
        TrackTyped typed;
        typed.track = track;
        typed.state = piece->state;
        typed.at = piece->at;
        typed.typed = search.Part(piece->at, piece->TypedSize());
        typed.data = {piece->start, piece->data};
        check.tracks.push_back(typed);
        ReadTrackFormat format;
        format.track = track;
        format.start = search.Part(piece->at, piece->start);
        format.end = search.Part(piece->at + piece->start + piece->data, piece->end);
        format.returnAfter = piece->returnAfter;
        check.format.tracks.push_back(format);
        anyData = anyData || piece->state == TrackState::Read;
        const TrackForm& own = form[track - 1];
        if (!own.output)
            continue;
        if (format.start != own.start)
            AddDifference(check, DifferenceKind::StartSentinel, track, own.start, format.start);
        if (format.end != own.end)
            AddDifference(check, DifferenceKind::EndSentinel, track, own.end, format.end);
        if (piece->check > 0)
            AddDifference(check, DifferenceKind::AfterEndSentinel, track, "",
                          search.Part(piece->at + piece->TypedSize(), piece->check));
        if (piece->state == TrackState::Read)
            for (const Pair* pair :
                 search.NotReplaced(search.Part(piece->at + piece->start, piece->data)))
                AddDifference(check, DifferenceKind::NotReplaced, track, pair->replacement,
                              pair->original);
    }
    for (const Piece& piece : reading.pieces)
        if (!form[piece.track - 1].output && piece.check > 0)
            AddDifference(check, DifferenceKind::AfterEndSentinel, piece.track, "",
                          search.Part(piece.at + piece.TypedSize(), piece.check));
    check.format.returnAfterPacket = reading.returnAfterPacket;
    if (search.ReturnsDiffer(reading))
        AddDifference(check, DifferenceKind::Returns, 0,
                      TrackList(form, true, nullptr, search.FormReturnAfterPacket()),
                      TrackList(form, true, &reading));
    if (reading.left < search.Part(0, std::string_view::npos).size())
        AddDifference(check, DifferenceKind::AfterPacket, 0, "",
                      search.Part(reading.left, std::string_view::npos));
    if (!anyData)
        check.unseen.push_back({UnseenKind::NoTrackData, 0});
}

// The check of `typed` as it came, no keyboard layout considered.
SwipeCheck CheckAsTyped(const settings::Setup& form, std::string_view typed) {
    SwipeCheck check;
    const std::array<TrackForm, 3> tracks = FormTracks(form);
    check.tracksApart = TracksApart(tracks);
    if (!check.tracksApart)
        return check;
    std::vector<Pair> pairs;
    for (const Pair& pair : EnabledPairs(form.replace))
        if (pair.original != pair.replacement)
            pairs.push_back(pair);
    FormatSearch search(typed, tracks, pairs, form.format.crAfterPacket);
    Record(search, search.Best(), tracks, check);
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

// No difference and no small letter in track 1.
bool ReadsRight(const SwipeCheck& check, const settings::Setup& form) {
    return check.differences.empty() && !SmallLettersInTrack1(check, form);
}

// The check digit of ISO/IEC 7812: every second digit from the right doubled, the digits of
// the double added.
bool PassesLuhn(std::string_view number) {
    int sum = 0;
    bool doubled = false;
    for (std::size_t i = number.size(); i-- > 0; doubled = !doubled) {
        int digit = number[i] - '0';
        if (doubled)
            digit = digit * 2 % 10 + digit * 2 / 10;
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
        const bool sameAsTrack1 = track == 2 && numbers[0] == numbers[1];
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
    const bool agrees = check.tracksApart && !check.capsLock && check.layouts.empty() &&
                        check.differences.empty() && check.findings.empty();
    check.matches = agrees && check.unseen.empty();
    check.agreesSoFar = agrees && !check.unseen.empty();
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
    // Caps Lock even so, where track 1 came in small letters, or reads as track 1 only with
    // the case of its letters turned: read so, to name what else differs.
    SwipeCheck capsLock = CheckAsTyped(form, UndoLayout(UsLayout(), true, typed));
    if (!SmallLettersInTrack1(direct, form) &&
        (ReadTrack(direct, 1) != nullptr || ReadTrack(capsLock, 1) == nullptr))
        return Finished(std::move(direct));
    capsLock.capsLock = true;
    return Finished(std::move(capsLock));
}

std::vector<TrackTyped> TracksAsTyped(const settings::Setup& form, std::string_view typed) {
    return CheckAsTyped(form, typed).tracks;
}

namespace {

// Whether `gap` ends with `opening`, the text before the first data of the swipe: then the
// data after it opens a swipe alike.
bool EndsWithOpening(std::string_view gap, std::string_view opening) {
    return !opening.empty() && gap.size() >= opening.size() &&
           gap.substr(gap.size() - opening.size()) == opening;
}

// Where the swipe before ends: after the last carriage return between the two data, else
// before the opening the first swipe had, else after one character (its end sentinel).
std::size_t SplitAt(std::string_view text, std::size_t dataEnd, std::size_t at,
                    std::string_view opening) {
    const std::string_view gap = text.substr(dataEnd, at - dataEnd);
    if (gap.rfind('\r') != std::string_view::npos)
        return dataEnd + gap.rfind('\r') + 1;
    if (EndsWithOpening(gap, opening))
        return at - opening.size();
    return gap.empty() ? at : dataEnd + CharacterLength(gap, 0);
}

}  // namespace

std::vector<std::size_t> SwipeStarts(std::string_view text) {
    const Shapes shapes(text, {});
    std::vector<std::size_t> starts;
    std::size_t opening = std::string_view::npos;  // where the first data of this swipe begins
    std::size_t swipeAt = 0;
    std::size_t dataEnd = 0;
    int last = 0;  // the track the last data was
    for (std::size_t at = 0; at < text.size();) {
        const bool boundary = at == 0 || !std::isalnum(static_cast<unsigned char>(text[at - 1]));
        // The first track this data can be at all, and the first after the last one.
        int first = 0;
        int next = 0;
        std::size_t firstLength{};  // each set with its track
        std::size_t nextLength{};
        for (int candidate = 1; boundary && candidate <= 3; ++candidate) {
            const std::size_t each = shapes.DataLength(candidate, at);
            if (each > 0 && first == 0) {
                first = candidate;
                firstLength = each;
            }
            if (each > 0 && next == 0 && candidate > last) {
                next = candidate;
                nextLength = each;
            }
        }
        if (first == 0) {
            at += CharacterLength(text, at);
            continue;
        }
        // A new swipe where no later track fits, or where the data could open one and the
        // swipe's opening stands before it (track 2 then digits with '=' after ';').
        const std::string_view opened = text.substr(swipeAt, opening - swipeAt);
        const bool again =
            opening != std::string_view::npos &&
            (next == 0 ||
             (first <= last && EndsWithOpening(text.substr(dataEnd, at - dataEnd), opened)));
        if (opening == std::string_view::npos) {
            opening = at;
        } else if (again) {
            const std::size_t split = SplitAt(text, dataEnd, at, opened);
            starts.push_back(split);
            swipeAt = split;
            opening = at;
        }
        last = again || next == 0 ? first : next;
        at += again || next == 0 ? firstLength : nextLength;
        dataEnd = at;
    }
    return starts;
}

CardText TypedFor(const settings::Setup& form, const std::array<CardText, 3>& tracks) {
    const std::vector<Pair> pairs = EnabledPairs(form.replace);
    CardText typed;
    const std::array<TrackForm, 3> forms = FormTracks(form);
    for (std::size_t i = 0; i < 3; ++i) {
        if (!forms[i].output)
            continue;
        typed += forms[i].start;
        typed += Replaced(tracks[i], pairs);
        typed += forms[i].end;
        if (forms[i].returnAfter)
            typed += '\r';
    }
    if (form.format.crAfterPacket)
        typed += '\r';
    return typed;
}

std::vector<char32_t> DigitReplacements(const settings::Setup& form) {
    std::vector<char32_t> digits;
    for (const Pair& pair : EnabledPairs(form.replace)) {
        std::size_t length{};  // set by the decoding, not needed
        if (pair.original.size() == 1 && pair.original[0] >= '0' && pair.original[0] <= '9')
            digits.push_back(settings::DecodeUtf8(pair.replacement, 0, length));
    }
    return digits;
}

}  // namespace swipe
