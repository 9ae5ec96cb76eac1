#include "settings/form_record.h"

#include "res/resource.h"
#include "settings/form_rules.h"

reader::FormatSettings ReadFormatForm(const FormView& form) {
    reader::FormatSettings settings;
    for (int i = 0; i < 6; ++i)
        settings.sentinels[i] = form.FirstAnsiByte(kSentinelDefaults[i].controlId);
    for (int i = 0; i < 3; ++i)
        settings.outputTrack[i] = form.IsChecked(kTrackBoxes[i]);
    settings.crAfterPacket = form.IsChecked(IDC_CR_PACKET);
    for (int i = 0; i < 3; ++i)
        settings.crAfterTrack[i] = !settings.crAfterPacket && form.IsChecked(kTrackCrBoxes[i]);
    return settings;
}

reader::ReplaceSettings ReadReplaceForm(const FormView& form) {
    reader::ReplaceSettings settings;
    for (int pair = 0; pair < 2; ++pair) {
        settings.enabled[pair] = form.IsChecked(kAllowBoxes[pair]);
        settings.original[pair] = form.FirstAnsiByte(kOriginalBoxes[pair]);
        settings.replacement[pair] = form.FirstAnsiByte(kReplacementBoxes[pair]);
    }
    return settings;
}

bool PlainForm::IsChecked(int id) const {
    const auto it = checked_.find(id);
    return it != checked_.end() && it->second;
}

void PlainForm::SetChecked(int id, bool checked) {
    checked_[id] = checked;
}

void PlainForm::SetEnabled(int id, bool enabled) {
    enabled_[id] = enabled;
}

bool PlainForm::IsEnabled(int id) const {
    const auto it = enabled_.find(id);
    return it == enabled_.end() || it->second;
}

void PlainForm::SetText(int id, const wchar_t* text) {
    texts_[id] = text;
}

std::optional<unsigned char> PlainForm::FirstAnsiByte(int id) const {
    const auto it = texts_.find(id);
    if (it == texts_.end() || it->second.empty() || it->second[0] > 0x7F)
        return std::nullopt;
    return static_cast<unsigned char>(it->second[0]);
}

reader::FormatSettings DefaultFormat() {
    PlainForm form;
    RestoreDefaultFormat(form);
    return ReadFormatForm(form);
}
