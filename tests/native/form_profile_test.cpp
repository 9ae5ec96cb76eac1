// The settings window's form saved as a profile and a profile loaded into the form: every
// choice in one table, both ways, then what cannot go either way.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "res/resource.h"
#include "settings/form_profile.h"
#include "settings/profile.h"
#include "settings/form_rules.h"

namespace {

using Typed = std::vector<std::pair<int, const wchar_t*>>;
using Values = std::map<std::string, std::string>;

// The start-up form's choices.
const Values kStartUp = {
    {"tracks", "1,2,3"},   {"cr", "packet"},      {"track1-start", "%"},
    {"track1-end", "?"},   {"track2-start", ";"}, {"track2-end", "?"},
    {"track3-start", "+"}, {"track3-end", "?"},   {"replace", "none"},
};

// The boxes a picture shows, in order.
const int kChecks[] = {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3,
                       IDC_CR_PACKET,     IDC_CR_TRACK1,     IDC_CR_TRACK2,
                       IDC_CR_TRACK3,     IDC_ALLOW_PAIR1,   IDC_ALLOW_PAIR2};
const int kSentinels[] = {IDC_TRACK1_START, IDC_TRACK1_END,   IDC_TRACK2_START,
                          IDC_TRACK2_END,   IDC_TRACK3_START, IDC_TRACK3_END};
const int kPairBoxes[2][2] = {{IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT},
                              {IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT}};

// The start-up form after clicks and typed texts.
PlainForm MakeForm(const std::vector<int>& clicks, const Typed& typed) {
    PlainForm form;
    RestoreDefaultFormat(form);
    for (const int id : clicks) {
        form.SetChecked(id, !form.IsChecked(id));  // the box toggles itself, as in the window
        ApplyClickRule(form, id);
    }
    for (const auto& [id, text] : typed)
        form.SetText(id, text);
    return form;
}

char BoxChar(const PlainForm& form, int id) {
    const std::wstring text = form.BoxText(id);
    return text.empty() ? '_' : static_cast<char>(text[0]);
}

// Check boxes as X and o, the sentinels, then the texts of each pair whose box is checked:
// what the buttons send.
std::string Picture(const PlainForm& form) {
    std::string picture;
    for (int id : kChecks)
        picture += form.IsChecked(id) ? 'X' : 'o';
    picture += ' ';
    for (int id : kSentinels)
        picture += BoxChar(form, id);
    for (int pair = 0; pair < 2; ++pair) {
        picture += ' ';
        if (form.IsChecked(kAllowBoxes[pair]))
            for (int id : kPairBoxes[pair])
                picture += BoxChar(form, id);
    }
    return picture;
}

// Every byte shows as the same character, as in the code pages the window meets.
std::optional<wchar_t> Ascii(std::uint8_t byte) {
    return static_cast<wchar_t>(byte);
}

struct MappingRow {
    const char* name;
    std::vector<int> clicks;
    Typed typed;
    Values changed;  // the choices that differ from the start-up form's
};

const MappingRow kMapping[] = {
    {"the start-up form", {}, {}, {}},
    {"tracks 1 and 3", {IDC_OUTPUT_TRACK2}, {}, {{"tracks", "1,3"}}},
    {"track 2 alone", {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK3}, {}, {{"tracks", "2"}}},
    {"no carriage return", {IDC_CR_PACKET}, {}, {{"cr", "none"}}},
    {"after tracks 1 and 3", {IDC_CR_PACKET, IDC_CR_TRACK1, IDC_CR_TRACK3}, {}, {{"cr", "1,3"}}},
    {"after track 2", {IDC_CR_PACKET, IDC_CR_TRACK2}, {}, {{"cr", "2"}}},
    {"every sentinel",
     {},
     {{IDC_TRACK1_START, L"A"},
      {IDC_TRACK1_END, L"b"},
      {IDC_TRACK2_START, L"#"},
      {IDC_TRACK2_END, L"~"},
      {IDC_TRACK3_START, L"="},
      {IDC_TRACK3_END, L"!"}},
     {{"track1-start", "A"},
      {"track1-end", "b"},
      {"track2-start", "#"},
      {"track2-end", "~"},
      {"track3-start", "="},
      {"track3-end", "!"}}},
    {"sentinels emptied",
     {},
     {{IDC_TRACK1_START, L""}, {IDC_TRACK3_END, L""}},
     {{"track1-start", ""}, {"track3-end", ""}}},
    {"pair 1",
     {IDC_ALLOW_PAIR1},
     {{IDC_PAIR1_CHAR, L"a"}, {IDC_PAIR1_REPLACEMENT, L"x"}},
     {{"replace", "a=x"}}},
    {"pair 2 alone keeps its place",
     {IDC_ALLOW_PAIR2},
     {{IDC_PAIR2_CHAR, L"a"}, {IDC_PAIR2_REPLACEMENT, L"x"}},
     {{"replace", "- a=x"}}},
    {"both pairs, equals signs",
     {IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2},
     {{IDC_PAIR1_CHAR, L"="},
      {IDC_PAIR1_REPLACEMENT, L"="},
      {IDC_PAIR2_CHAR, L"#"},
      {IDC_PAIR2_REPLACEMENT, L"!"}},
     {{"replace", "=== #=!"}}},
    {"a pair not checked is not saved",
     {IDC_ALLOW_PAIR2},
     {{IDC_PAIR1_CHAR, L"q"},
      {IDC_PAIR1_REPLACEMENT, L"r"},
      {IDC_PAIR2_CHAR, L"a"},
      {IDC_PAIR2_REPLACEMENT, L"x"}},
     {{"replace", "- a=x"}}},
};

}  // namespace

// Each form saves as its choices; the profile text loaded into a start-up form gives back
// what the buttons send.
TEST(FormProfile, EveryChoiceSavesAndLoadsBack) {
    for (const MappingRow& row : kMapping) {
        SCOPED_TRACE(row.name);
        const PlainForm form = MakeForm(row.clicks, row.typed);
        const settings::FormSetup saved = settings::ReadSetupFromForm(form);
        EXPECT_FALSE(saved.refusal);
        EXPECT_FALSE(saved.unfit.has_value());
        for (const std::string& name : settings::ChoiceNames()) {
            const auto changed = row.changed.find(name);
            const std::string expected =
                changed != row.changed.end() ? changed->second : kStartUp.at(name);
            EXPECT_EQ(settings::ChoiceValue(saved.setup, name), expected) << name;
        }

        const settings::ProfileResult read =
            settings::ParseProfile(settings::WriteProfile(saved.setup));
        ASSERT_TRUE(read.setup) << read.error;
        PlainForm loaded = MakeForm({}, {});
        EXPECT_EQ(settings::LoadSetupIntoForm(*read.setup, Ascii, loaded), std::nullopt);
        EXPECT_EQ(Picture(loaded), Picture(form));
    }
}

// Clicks on the check boxes under the window's rules; the boxes as X and o in the order of
// a picture: tracks 1 to 3, packet CR, CR after tracks 1 to 3, pairs 1 and 2.
TEST(FormProfile, ClicksFollowTheWindowsRules) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        const char* boxes;
    } cases[] = {
        {"the start-up form", {}, "XXXXooooo"},
        {"a track box has no rule", {IDC_OUTPUT_TRACK2}, "XoXXooooo"},
        {"a track CR clears the packet CR", {IDC_CR_TRACK2}, "XXXooXooo"},
        {"the packet CR clears the track CRs",
         {IDC_CR_PACKET, IDC_CR_TRACK1, IDC_CR_TRACK3, IDC_CR_PACKET},
         "XXXXooooo"},
        {"a track CR cleared leaves the packet CR off",
         {IDC_CR_TRACK1, IDC_CR_TRACK1},
         "XXXoooooo"},
        {"an allow box changes no other box", {IDC_ALLOW_PAIR2}, "XXXXooooX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Picture(MakeForm(c.clicks, {})).substr(0, 9), c.boxes);
    }
}

// An allow box enables or greys its own pair's boxes and leaves the other pair's alone.
TEST(FormProfile, AnAllowBoxRulesItsOwnPair) {
    const PlainForm form = MakeForm({IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2, IDC_ALLOW_PAIR2}, {});
    for (int id : {IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR,
                   IDC_PAIR1_REPLACEMENT}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(form.IsEnabled(id));
    }
    for (int id : {IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR,
                   IDC_PAIR2_REPLACEMENT}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(form.IsEnabled(id));
    }
}

// A pair that is not used is emptied on load, so that the form shows what the profile holds.
TEST(FormProfile, LoadingEmptiesThePairsThatAreNotUsed) {
    PlainForm form = MakeForm({IDC_ALLOW_PAIR1}, {{IDC_PAIR1_CHAR, L"q"}, {IDC_PAIR2_CHAR, L"r"}});
    const settings::Setup setup = settings::ParseProfile("replace = - a=x\n").setup.value();
    EXPECT_EQ(settings::LoadSetupIntoForm(setup, Ascii, form), std::nullopt);
    EXPECT_FALSE(form.IsChecked(IDC_ALLOW_PAIR1));
    EXPECT_EQ(BoxChar(form, IDC_PAIR1_CHAR), '_');
    EXPECT_EQ(BoxChar(form, IDC_PAIR2_CHAR), 'a');
}

// What the buttons would refuse is refused with the window's own message; a character the
// reader cannot type is refused naming its box, for the buttons and a profile alike.
TEST(FormProfile, AFormThatIsNoProfileSaysWhy) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        Typed typed;
        std::optional<Occasion> refusal;
        const wchar_t* unfit;
    } cases[] = {
        {"no track",
         {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3},
         {},
         Occasion::FormatNoTrack,
         nullptr},
        {"a digit as a sentinel",
         {},
         {{IDC_TRACK2_END, L"7"}},
         Occasion::FormatDigitSentinel,
         nullptr},
        {"a carriage return after a track that is not output",
         {IDC_OUTPUT_TRACK3, IDC_CR_TRACK3},
         {},
         Occasion::FormatReturnWithoutTrack,
         nullptr},
        {"half a pair",
         {IDC_ALLOW_PAIR2},
         {{IDC_PAIR2_CHAR, L"a"}},
         Occasion::ReplacePairIncomplete,
         nullptr},
        {"a blank sentinel",
         {},
         {{IDC_TRACK2_END, L" "}},
         std::nullopt,
         L"Track 2 end sentinel: \" \" is a blank: the reader needs a printable character"},
        {"a control character",
         {},
         {{IDC_TRACK1_START, L"\t"}},
         std::nullopt,
         L"Track 1 start sentinel: \"\\t\" is not a printable character"},
        {"a letter outside ASCII",
         {},
         {{IDC_TRACK3_END, L"\u00e9"}},
         std::nullopt,
         L"Track 3 end sentinel: \"\u00e9\" is not a plain ASCII character"},
        {"two characters pasted",
         {},
         {{IDC_TRACK2_START, L";;"}},
         std::nullopt,
         L"Track 2 start sentinel: \";;\" is more than one character"},
        {"a blank in a pair",
         {IDC_ALLOW_PAIR1},
         {{IDC_PAIR1_CHAR, L"a"}, {IDC_PAIR1_REPLACEMENT, L" "}},
         std::nullopt,
         L"Pair 1 replace with: \" \" is a blank: the reader needs a printable character"},
        {"a blank in a pair not checked",
         {},
         {{IDC_PAIR1_CHAR, L" "}, {IDC_PAIR1_REPLACEMENT, L" "}},
         std::nullopt,
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const settings::FormSetup saved = settings::ReadSetupFromForm(MakeForm(c.clicks, c.typed));
        EXPECT_EQ(saved.refusal, c.refusal);
        const std::wstring unfit = saved.unfit ? UnfitBoxText(*saved.unfit, true) : L"";
        EXPECT_EQ(unfit, c.unfit ? c.unfit : L"");
    }
}

// The buttons check only what they send: "Set Device" the sentinels, "Replace original
// character" the boxes of the checked pairs; the reason reads in the window's language.
TEST(FormProfile, EachButtonChecksTheBoxesItSends) {
    const PlainForm form = MakeForm(
        {IDC_ALLOW_PAIR2},
        {{IDC_TRACK1_END, L"\u00e9"}, {IDC_PAIR2_CHAR, L"x"}, {IDC_PAIR2_REPLACEMENT, L" "}});
    const auto format = FirstUnfitBox(form, FormPart::Format);
    const auto replace = FirstUnfitBox(form, FormPart::Replace);
    ASSERT_TRUE(format.has_value());
    ASSERT_TRUE(replace.has_value());
    EXPECT_EQ(format->id, IDC_TRACK1_END);
    EXPECT_EQ(replace->id, IDC_PAIR2_REPLACEMENT);
    EXPECT_EQ(UnfitBoxText(*format, false), L"一轨结束符：\"\u00e9\" 不是普通的 ASCII 字符");
}

// A character the form's boxes cannot show names its choice and leaves the form untouched.
TEST(FormProfile, ACharacterTheFormCannotShowLeavesTheFormAlone) {
    const settings::Setup setup =
        settings::ParseProfile("tracks = 1\ntrack3-end = ~\nreplace = a=~\n").setup.value();
    const struct {
        const char* name;
        std::uint8_t unshown;
        const char* choice;
    } cases[] = {
        {"a sentinel", '~', "track3-end"},
        {"a pair", 'a', "replace"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::uint8_t unshown = c.unshown;
        const settings::ShownAs shownAs = [unshown](std::uint8_t byte) -> std::optional<wchar_t> {
            if (byte == unshown)
                return std::nullopt;
            return static_cast<wchar_t>(byte);
        };
        PlainForm form = MakeForm({}, {});
        const std::string before = Picture(form);
        EXPECT_EQ(settings::LoadSetupIntoForm(setup, shownAs, form), c.choice);
        EXPECT_EQ(Picture(form), before);
    }
}
