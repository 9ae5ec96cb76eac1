// The reader's format read back from swipes the model of tests/model/reader_typing.h types:
// formats, cards and forms made at random (a fixed seed), each swipe checked against the
// reader's own format and against forms that differ from it in one setting.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "settings/quoting.h"
#include "swipe/swipe_check.h"
#include "swipe/swipe_texts.h"
#include "tests/model/reader_typing.h"

namespace {

using swipe::DifferenceKind;

struct Random {
    std::mt19937 engine{20261209};
    int operator()(int below) { return std::uniform_int_distribution<int>(0, below - 1)(engine); }
};

std::string Shown(const std::string& typed) {
    return settings::Escaped<std::string>(typed, std::string::npos, settings::EscapeFor::Line);
}

// The check's lines, for a failure to show.
std::string Lines(const swipe::SwipeCheck& check) {
    std::string lines;
    for (const swipe::CardWide& line : swipe::ResultLines(check, true, swipe::ShowRule{true, {}}))
        lines += "\n  " + std::string(swipe::Utf8Of(line).view());
    return lines;
}

bool Names(const swipe::SwipeCheck& check, DifferenceKind kind, int track) {
    return std::any_of(check.differences.begin(), check.differences.end(),
                       [&](const swipe::Difference& d) {
                           return d.kind == kind && (track == 0 || d.track == track);
                       });
}

// Checked against the reader's own format: nothing differs; the format read back is the
// reader's for every track that typed something; what typed nothing is named as not seen.
TEST(SwipeReadBack, TheReadersOwnFormatAgrees) {
    Random next;
    model::Maker<Random> make(next);
    for (int round = 0; round < 300; ++round) {
        const model::Format format = make.MakeFormat();
        const model::Card card = make.MakeCard();
        const std::string typed = model::Typed(format, card);
        SCOPED_TRACE(Shown(typed));
        const swipe::SwipeCheck check = swipe::CheckSwipe(model::FormOf(format), typed);
        SCOPED_TRACE(Lines(check));
        EXPECT_TRUE(check.differences.empty());
        bool anyData = false;
        bool nothingTyped = false;
        for (std::size_t i = 0; i < 3; ++i) {
            anyData = anyData || (format.tracks[i].output && !card[i].empty());
            nothingTyped = nothingTyped ||
                           (format.tracks[i].output && !model::TypesSomething(format, card, i));
        }
        EXPECT_EQ(check.matches, anyData && !nothingTyped);
        EXPECT_EQ(check.agreesSoFar, !anyData || nothingTyped);
        std::size_t read = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            if (!model::TypesSomething(format, card, i))
                continue;
            ASSERT_LT(read, check.format.tracks.size());
            const swipe::ReadTrackFormat& back = check.format.tracks[read++];
            EXPECT_EQ(back.track, static_cast<int>(i) + 1);
            EXPECT_EQ(back.start.view(), format.tracks[i].start);
            EXPECT_EQ(back.end.view(), format.tracks[i].end);
            EXPECT_EQ(back.returnAfter, format.tracks[i].returnAfter);
        }
        EXPECT_EQ(read, check.format.tracks.size());
    }
}

// Against a form one setting away: where the swipe shows that setting, the difference is
// named by its kind, on the track whose data names it; where it does not (the same keys
// either way), nothing differs.
TEST(SwipeReadBack, AFormOneSettingAwayIsNamed) {
    Random next;
    model::Maker<Random> make(next);
    int named = 0;
    for (int round = 0; round < 600; ++round) {
        const model::Format format = make.MakeFormat();
        const model::Card card = make.MakeCard();
        model::Format form = format;
        const std::size_t i = static_cast<std::size_t>(next(3));
        model::TrackSetting& track = form.tracks[i];
        DifferenceKind kind = DifferenceKind::Tracks;
        switch (next(4)) {
            case 0:
                track.start = track.start.empty() ? "!" : track.start == "!" ? "" : "!";
                kind = DifferenceKind::StartSentinel;
                break;
            case 1:
                track.end = track.end.empty() ? "~" : track.end == "~" ? "" : "~";
                kind = DifferenceKind::EndSentinel;
                break;
            case 2:
                if (!track.output)
                    continue;  // a track the form adds is seen only as nothing typed
                track.output = false;
                track.returnAfter = false;
                break;
            default:
                form.returnAfterPacket = !form.returnAfterPacket;
                for (model::TrackSetting& each : form.tracks)
                    each.returnAfter = !form.returnAfterPacket && each.output;
                kind = DifferenceKind::Returns;
                break;
        }
        if (!form.tracks[i].output && kind != DifferenceKind::Tracks)
            continue;  // a setting of a track neither outputs
        const std::string typed = model::Typed(format, card);
        SCOPED_TRACE(Shown(typed) + " against " + Shown(model::Typed(form, card)));
        const swipe::SwipeCheck check = swipe::CheckSwipe(model::FormOf(form), typed);
        SCOPED_TRACE(Lines(check));
        if (!check.tracksApart)
            continue;  // the change left two of the form's tracks with nothing between
        const bool seen = model::TypesSomething(format, card, i) || kind == DifferenceKind::Returns;
        if (model::Typed(form, card) == typed || !seen) {
            EXPECT_TRUE(check.differences.empty());
            continue;
        }
        EXPECT_FALSE(check.matches);
        if (kind == DifferenceKind::Returns) {
            // Where a track typed nothing or sentinels alone, its neighbour's sentinel and
            // returns may be read in its place: something is named.
            EXPECT_TRUE(!check.differences.empty() || check.agreesSoFar);
        } else if (kind != DifferenceKind::Returns && !card[i].empty()) {
            // A track its data names: the difference is named on it.
            EXPECT_FALSE(check.agreesSoFar);
            const bool onTrack =
                kind == DifferenceKind::StartSentinel || kind == DifferenceKind::EndSentinel;
            EXPECT_TRUE(Names(check, kind, onTrack ? static_cast<int>(i) + 1 : 0));
        } else if (kind != DifferenceKind::Returns) {
            // Sentinels alone may be read as those of a neighbour: some difference is named.
            EXPECT_FALSE(check.agreesSoFar);
        }
        ++named;
    }
    EXPECT_GT(named, 200);
}

}  // namespace
