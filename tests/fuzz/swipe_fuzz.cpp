// The swipe check over forms the settings window sends and cards of ISO track characters:
// what the reader types for the card is taken apart into the card's tracks and matches; one
// sentinel or carriage return changed, it no longer matches. Any text and any form: nothing
// read past its end, and no line shown with masking on holds a run of 12 to 19 digits.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "settings/utf8.h"
#include "swipe/card_mask.h"
#include "swipe/keyboard_layouts.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"

namespace {

// No maximal run of 12 to 19 ASCII digits in `text`.
bool NoCardNumber(const std::string& text) {
    std::size_t run = 0;
    for (std::size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++run;
            continue;
        }
        if (run >= 12 && run <= 19)
            return false;
        run = 0;
    }
    return true;
}

void CheckShownMasked(const settings::Setup& form, const std::string& typed) {
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, typed);
    FUZZ_CHECK(check.matches ==
               (check.tracksApart && check.layout.empty() && check.differences.empty()));
    for (const bool english : {true, false})
        for (const std::wstring& line : swipe::ResultLines(check, english, false))
            FUZZ_CHECK(NoCardNumber(settings::Utf8(line)));
    FUZZ_CHECK(NoCardNumber(settings::Utf8(swipe::CaptureText(typed, false))));
}

// A form the window sends: printable ASCII sentinels, at least one track, carriage returns
// after the packet or after tracks, never both.
settings::Setup WindowForm(FuzzInput& in) {
    settings::Setup form;
    for (auto& sentinel : form.format.sentinels)
        if (in.Flag())
            sentinel = static_cast<std::uint8_t>(0x20 + in.Byte() % 95);
    for (bool& track : form.format.outputTrack)
        track = in.Flag();
    if (!reader::AnyTrackChosen(form.format))
        form.format.outputTrack[in.Byte() % 3] = true;
    form.format.crAfterPacket = in.Flag();
    for (bool& cr : form.format.crAfterTrack)
        cr = !form.format.crAfterPacket && in.Flag();
    return form;
}

// Characters of `from` that are no sentinel of `form`.
std::string Usable(const settings::Setup& form, const std::string& from) {
    std::string usable;
    for (const char c : from) {
        bool sentinel = false;
        for (const auto& box : form.format.sentinels)
            sentinel = sentinel || box == static_cast<std::uint8_t>(c);
        if (!sentinel)
            usable += c;
    }
    return usable;
}

const char kDigits[] = "0123456789";
const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::string Some(FuzzInput& in, const std::string& from, std::size_t least, std::size_t most) {
    std::string some;
    const std::size_t length = least + in.Byte() % (most - least + 1);
    for (std::size_t i = 0; i < length && !from.empty(); ++i)
        some += from[in.Byte() % from.size()];
    return some;
}

// Track data of the ISO character sets, without the form's sentinels: track 1 a format
// letter, the number, then name and the rest between '^'; tracks 2 and 3 digits and '='.
std::string TrackData(FuzzInput& in, const settings::Setup& form, int track) {
    const std::string digits = Usable(form, kDigits);
    const std::string letters = Usable(form, kLetters);
    const bool separator = !Usable(form, track == 1 ? "^" : "=").empty();
    if (track != 1)
        return Some(in, digits, 1, 19) + (separator ? "=" + Some(in, digits, 1, 20) : "");
    std::string data = Some(in, letters, 1, 1) + Some(in, digits, 1, 19);
    if (separator)
        data += "^" + Some(in, Usable(form, std::string(kLetters) + " /"), 0, 26) + "^" +
                Some(in, digits, 1, 30);
    return data;
}

// Pairs the window sends that keep the data told apart from the sentinels: any printable
// original, a letter or digit as replacement that is no sentinel.
void WindowPairs(FuzzInput& in, settings::Setup& form) {
    const std::string replacements = Usable(form, std::string(kLetters) + kDigits + "abcxyz");
    for (int i = 0; i < 2; ++i) {
        form.replace.enabled[i] = in.Flag();
        form.replace.original[i] = static_cast<std::uint8_t>(0x21 + in.Byte() % 94);
        form.replace.replacement[i] =
            static_cast<std::uint8_t>(replacements[in.Byte() % replacements.size()]);
    }
}

bool ReplacesE(const settings::Setup& form) {
    for (int i = 0; i < 2; ++i)
        if (form.replace.enabled[i] && form.replace.original[i] == 'E')
            return true;
    return false;
}

// What one track of `form` types, alone and without carriage returns.
std::string TypedForTrack(const settings::Setup& form, int track, const std::string& data,
                          bool sentinels) {
    settings::Setup alone = form;
    alone.format = reader::FormatSettings();
    alone.format.outputTrack[track - 1] = true;
    if (sentinels) {
        alone.format.sentinels[2 * track - 2] = form.format.sentinels[2 * track - 2];
        alone.format.sentinels[2 * track - 1] = form.format.sentinels[2 * track - 1];
    }
    std::array<std::string, 3> card;
    card[track - 1] = data;
    return swipe::TypedFor(alone, card);
}

struct Marked {
    std::string text;
    std::vector<std::size_t> sentinels;  // where a sentinel was typed
    std::vector<std::size_t> returns;    // where a carriage return was typed
};

// The reader's typing put together track by track, marking its sentinels and returns.
Marked MarkedTyping(const settings::Setup& form, const std::array<std::string, 3>& card) {
    Marked marked;
    const auto sentinel = [&marked](const std::optional<std::uint8_t>& box) {
        if (!box)
            return;
        marked.sentinels.push_back(marked.text.size());
        marked.text += static_cast<char>(*box);
    };
    const auto carriageReturn = [&marked](bool asked) {
        if (!asked)
            return;
        marked.returns.push_back(marked.text.size());
        marked.text += '\r';
    };
    for (int track = 1; track <= 3; ++track) {
        if (!form.format.outputTrack[track - 1])
            continue;
        sentinel(form.format.sentinels[2 * track - 2]);
        marked.text += TypedForTrack(form, track, card[track - 1], false);
        sentinel(form.format.sentinels[2 * track - 1]);
        carriageReturn(form.format.crAfterTrack[track - 1]);
    }
    carriageReturn(form.format.crAfterPacket);
    return marked;
}

// One sentinel replaced by another character (no sentinel of the form) or removed, or one
// carriage return replaced or removed, or a carriage return added next to one of them.
void CheckChanged(FuzzInput& in, const settings::Setup& form, const Marked& marked,
                  const swipe::SwipeCheck& original) {
    std::vector<std::size_t> places = marked.sentinels;
    places.insert(places.end(), marked.returns.begin(), marked.returns.end());
    if (places.empty())
        return;
    const std::size_t place = places[in.Byte() % places.size()];
    std::string changed = marked.text;
    switch (in.Byte() % 3) {
        case 0: {
            std::string others = "\r";
            for (char c = 0x20; c < 0x7F; ++c)
                others += c;
            others = Usable(form, others);
            others.erase(std::remove(others.begin(), others.end(), changed[place]), others.end());
            changed[place] = others[in.Byte() % others.size()];
            break;
        }
        case 1:
            changed.erase(place, 1);
            break;
        default:
            changed.insert(place + in.Byte() % 2, "\r");
            break;
    }
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, changed);
    if (!check.matches)
        return;
    // Still matching only where a track that typed something now typed nothing: the change
    // reads as a track the reader skipped (nothing typed for it is no difference), and the
    // characters before it as the data of an earlier track.
    bool skipped = false;
    for (std::size_t i = 0; i < check.tracks.size(); ++i)
        skipped = skipped || (check.tracks[i].typed.empty() && !original.tracks[i].typed.empty());
    FUZZ_CHECK(skipped);
}

void CheckModel(FuzzInput& in) {
    settings::Setup form = WindowForm(in);
    WindowPairs(in, form);
    std::array<std::string, 3> card;
    std::array<swipe::TrackState, 3> states{};
    for (int track = 1; track <= 3; ++track) {
        const int kind = in.Byte() % 4;
        const bool unreadable = kind == 1 && !Usable(form, "E").empty() && !ReplacesE(form);
        if (kind == 0) {
            states[track - 1] = swipe::TrackState::NoData;
        } else if (unreadable) {
            card[track - 1] = "E";
            states[track - 1] = swipe::TrackState::Unreadable;
        } else {
            card[track - 1] = TrackData(in, form, track);
            states[track - 1] = swipe::TrackState::Read;
        }
    }
    const Marked marked = MarkedTyping(form, card);
    FUZZ_CHECK(marked.text == swipe::TypedFor(form, card));
    FUZZ_CHECK(static_cast<int>(marked.returns.size()) == swipe::ReturnsPerSwipe(form));
    CheckShownMasked(form, marked.text);

    const swipe::SwipeCheck check = swipe::CheckSwipe(form, marked.text);
    if (!check.tracksApart) {
        FUZZ_CHECK(!check.matches);
        FUZZ_CHECK(check.tracks.empty());
        return;
    }
    FUZZ_CHECK(check.matches);
    std::size_t next = 0;
    for (int track = 1; track <= 3; ++track) {
        if (!form.format.outputTrack[track - 1])
            continue;
        FUZZ_CHECK(next < check.tracks.size());
        const swipe::TrackTyped& got = check.tracks[next++];
        FUZZ_CHECK(got.track == track);
        FUZZ_CHECK(got.state == states[track - 1]);
        FUZZ_CHECK(got.typed == TypedForTrack(form, track, card[track - 1], true));
    }
    FUZZ_CHECK(next == check.tracks.size());
    CheckChanged(in, form, marked, check);
}

// Any form and any bytes typed.
void CheckAnyText(FuzzInput& in) {
    settings::Setup form;
    for (auto& sentinel : form.format.sentinels)
        if (in.Flag())
            sentinel = in.Byte();
    for (int i = 0; i < 3; ++i) {
        form.format.outputTrack[i] = in.Flag();
        form.format.crAfterTrack[i] = in.Flag();
    }
    form.format.crAfterPacket = in.Flag();
    for (int i = 0; i < 2; ++i) {
        form.replace.enabled[i] = in.Flag();
        if (in.Flag())
            form.replace.original[i] = in.Byte();
        if (in.Flag())
            form.replace.replacement[i] = in.Byte();
    }
    const std::string typed(reinterpret_cast<const char*>(in.data), in.size);
    CheckShownMasked(form, typed);
    FUZZ_CHECK(NoCardNumber(swipe::MaskCardNumbers(typed)));
    // Each layout undoes what it does to printable ASCII, but for a key it types nothing with.
    for (std::size_t i = 0; i < swipe::CommonLayoutCount(); ++i) {
        const swipe::KeyboardLayout& layout = swipe::CommonLayouts()[i];
        std::string us;
        for (const char c : typed)
            if (c >= 0x20 && c < 0x7F && !swipe::ThroughLayout(layout, std::string(1, c)).empty())
                us += c;
        FUZZ_CHECK(swipe::UndoLayout(layout, swipe::ThroughLayout(layout, us)) == us);
    }
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    if (in.Flag())
        CheckModel(in);
    else
        CheckAnyText(in);
}
