#include "settings/form_profile.h"

#include <vector>

#include "res/resource.h"
#include "settings/form_checks.h"
#include "settings/form_rules.h"

namespace settings {
namespace {

// A one-character box with what it is to show and the choice that holds it.
struct BoxText {
    int id;
    std::optional<std::uint8_t> character;
    std::string choice;
};

// The six sentinels, then the boxes of both pairs (empty for a pair that is not used).
std::vector<BoxText> BoxTexts(const Setup& setup) {
    std::vector<BoxText> boxes;
    boxes.reserve(6 + 2 * 2);    // six sentinels, two boxes a pair
    for (int i = 0; i < 6; ++i)  // the sentinel choices follow "tracks" and "cr"
        boxes.push_back({kSentinelDefaults[i].controlId, setup.format.sentinels[i],
                         ChoiceNames()[2 + static_cast<std::size_t>(i)]});
    const reader::ReplaceSettings& replace = setup.replace;
    for (int pair = 0; pair < 2; ++pair) {
        const bool used = replace.enabled[pair];
        boxes.push_back(
            {kOriginalBoxes[pair], used ? replace.original[pair] : std::nullopt, "replace"});
        boxes.push_back(
            {kReplacementBoxes[pair], used ? replace.replacement[pair] : std::nullopt, "replace"});
    }
    return boxes;
}

}  // namespace

FormSetup ReadSetupFromForm(const FormView& form) {
    FormSetup result;
    Setup& setup = result.setup;
    setup.format = ReadFormatForm(form);
    setup.replace = ReadReplaceForm(form);  // a pair not checked is neither sent nor saved
    // In the order the buttons check: the tracks, what the reader cannot type, then the
    // pairs. No pair at all is a profile that cancels the replacements.
    if ((result.refusal = FormatRefusal(setup.format)))
        return result;
    if ((result.unfit = FirstUnfitBox(form, FormPart::Whole)))
        return result;
    const auto replaceRefusal = ReplaceRefusal(setup.replace);
    if (replaceRefusal && *replaceRefusal != Occasion::ReplaceNoPairChosen)
        result.refusal = replaceRefusal;
    return result;
}

std::optional<std::string> LoadSetupIntoForm(const Setup& setup, const ShownAs& shownAs,
                                             FormControls& form) {
    const std::vector<BoxText> boxes = BoxTexts(setup);
    std::vector<std::wstring> texts;
    texts.reserve(boxes.size());
    for (const BoxText& box : boxes) {
        std::optional<wchar_t> shown;
        if (box.character && !(shown = shownAs(*box.character)))
            return box.choice;
        texts.push_back(shown ? std::wstring(1, *shown) : std::wstring());
    }

    const reader::FormatSettings& format = setup.format;
    for (int i = 0; i < 3; ++i)
        form.SetChecked(kTrackBoxes[i], format.outputTrack[i]);
    // The whole-packet box first: checked, it clears and greys the per-track boxes (and wins
    // over them, as it does when the form is read).
    form.SetChecked(IDC_CR_PACKET, format.crAfterPacket);
    ApplyPacketCrRule(form);
    for (int i = 0; i < 3; ++i)
        form.SetChecked(kTrackCrBoxes[i], !format.crAfterPacket && format.crAfterTrack[i]);
    ApplyTrackCrRule(form, kTrackCrBoxes[0]);
    for (int pair = 0; pair < 2; ++pair) {
        form.SetChecked(kAllowBoxes[pair], setup.replace.enabled[pair]);
        ApplyAllowRule(form, kAllowBoxes[pair]);
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        form.SetText(boxes[i].id, texts[i].c_str());
    return std::nullopt;
}

}  // namespace settings
