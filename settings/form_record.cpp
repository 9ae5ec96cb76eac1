#include "settings/form_record.h"

#include <vector>

#include "res/resource.h"
#include "settings/control_names.h"
#include "settings/form_rules.h"
#include "settings/utf8.h"

namespace {

std::optional<std::uint8_t> BoxCharacter(const FormView& form, int id) {
    return settings::TypedCharacter(settings::Utf8(form.BoxText(id)));
}

}  // namespace

reader::FormatSettings ReadFormatForm(const FormView& form) {
    reader::FormatSettings settings;
    for (int i = 0; i < 6; ++i)
        settings.sentinels[i] = BoxCharacter(form, kSentinelDefaults[i].controlId);
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
        settings.original[pair] = BoxCharacter(form, kOriginalBoxes[pair]);
        settings.replacement[pair] = BoxCharacter(form, kReplacementBoxes[pair]);
    }
    return settings;
}

std::optional<UnfitBox> FirstUnfitBox(const FormView& form, FormPart part) {
    std::vector<int> boxes;
    if (part != FormPart::Replace)
        for (const SentinelDefault& sentinel : kSentinelDefaults)
            boxes.push_back(sentinel.controlId);
    if (part != FormPart::Format)
        for (int pair = 0; pair < 2; ++pair)
            if (form.IsChecked(kAllowBoxes[pair])) {
                boxes.push_back(kOriginalBoxes[pair]);
                boxes.push_back(kReplacementBoxes[pair]);
            }
    for (const int id : boxes) {
        std::string text = settings::Utf8(form.BoxText(id));
        const settings::CharacterFault fault = settings::CheckTypedCharacter(text);
        if (fault != settings::CharacterFault::None)
            return UnfitBox{id, std::move(text), fault};
    }
    return std::nullopt;
}

std::wstring UnfitBoxText(const UnfitBox& box, bool english) {
    const wchar_t* name = EditName(box.id, english);
    return std::wstring(name != nullptr ? name : L"") + (english ? L": " : L"：") +
           settings::Wide(settings::CharacterFaultText(box.text, box.fault, english));
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

std::wstring PlainForm::BoxText(int id) const {
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::wstring() : it->second;
}

reader::FormatSettings DefaultFormat() {
    PlainForm form;
    RestoreDefaultFormat(form);
    return ReadFormatForm(form);
}
