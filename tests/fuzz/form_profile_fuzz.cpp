// Any state of the settings window's form, reached by clicks under the window's rules and
// characters typed into its boxes, saved as a profile and loaded into a start-up form: a form
// that saves loads back into one whose buttons send the same reports; one that does not has a
// character no profile holds, or is one the buttons refuse. A load that is refused leaves the
// form as it was.
#include <string>

#include "fuzz_check.h"
#include "res/resource.h"
#include "settings/form_profile.h"
#include "settings/profile.h"
#include "settings/form_rules.h"

namespace {

const int kClickable[] = {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3,
                          IDC_CR_PACKET,     IDC_CR_TRACK1,     IDC_CR_TRACK2,
                          IDC_CR_TRACK3,     IDC_ALLOW_PAIR1,   IDC_ALLOW_PAIR2};
const int kBoxes[] = {IDC_TRACK1_START,      IDC_TRACK1_END,       IDC_TRACK2_START, IDC_TRACK2_END,
                      IDC_TRACK3_START,      IDC_TRACK3_END,       IDC_PAIR1_CHAR,   IDC_PAIR2_CHAR,
                      IDC_PAIR1_REPLACEMENT, IDC_PAIR2_REPLACEMENT};

// What the form's two buttons send.
reader::Bytes Sent(const PlainForm& form) {
    reader::Bytes bytes = reader::FormatPayload(ReadFormatForm(form));
    const reader::ReplaceSettings replace = ReadReplaceForm(form);
    if (reader::CheckReplace(replace) == reader::ReplaceCheck::Ok) {
        const reader::Bytes pairs = reader::ReplacePayload(replace);
        bytes.insert(bytes.end(), pairs.begin(), pairs.end());
    }
    return bytes;
}

// Empty, or one character from '!' to '~'.
bool Fits(const std::wstring& text) {
    return text.empty() || (text.size() == 1 && text[0] > 0x20 && text[0] < 0x7F);
}

PlainForm StartUpForm() {
    PlainForm form;
    RestoreDefaultFormat(form);
    return form;
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    PlainForm form = StartUpForm();
    for (int clicks = in.Byte() % 16; clicks > 0; --clicks) {
        const int id = kClickable[in.Byte() % std::size(kClickable)];
        form.SetChecked(id, !form.IsChecked(id));  // the box toggles itself, as in the window
        ApplyClickRule(form, id);
    }
    for (int id : kBoxes) {
        const std::uint8_t typed = in.Byte();
        if (typed == 0xFF)  // left as it is
            continue;
        const std::wstring text(typed != 0, static_cast<wchar_t>(typed));
        form.SetText(id, text.c_str());
    }

    const settings::FormSetup saved = settings::ReadSetupFromForm(form);
    if (saved.refusal)
        return;
    bool allFit = true;
    for (int i = 0; i < 6; ++i)
        allFit = allFit && Fits(form.BoxText(kBoxes[i]));
    for (int pair = 0; pair < 2; ++pair) {
        if (form.IsChecked(kAllowBoxes[pair]))
            allFit = allFit && Fits(form.BoxText(kOriginalBoxes[pair])) &&
                     Fits(form.BoxText(kReplacementBoxes[pair]));
    }
    FUZZ_CHECK(saved.unfit.has_value() != allFit);
    if (!allFit)
        return;

    const settings::ProfileResult read =
        settings::ParseProfile(settings::WriteProfile(saved.setup));
    FUZZ_CHECK(read.setup.has_value());
    const std::uint8_t unshown = in.Byte();
    const settings::ShownAs shownAs = [unshown](std::uint8_t byte) -> std::optional<wchar_t> {
        if (byte == unshown)
            return std::nullopt;
        return static_cast<wchar_t>(byte);
    };
    PlainForm loaded = StartUpForm();
    const reader::Bytes before = Sent(loaded);
    if (settings::LoadSetupIntoForm(*read.setup, shownAs, loaded))
        FUZZ_CHECK(Sent(loaded) == before);
    else
        FUZZ_CHECK(Sent(loaded) == Sent(form));
}
