#include "settings/form_rules.h"

#include "res/resource.h"

const SentinelDefault kSentinelDefaults[6] = {
    {IDC_TRACK1_START, L"%"}, {IDC_TRACK1_END, L"?"},   {IDC_TRACK2_START, L";"},
    {IDC_TRACK2_END, L"?"},   {IDC_TRACK3_START, L"+"}, {IDC_TRACK3_END, L"?"},
};
const int kTrackBoxes[3] = {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3};
const int kTrackCrBoxes[3] = {IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3};
const int kAllowBoxes[2] = {IDC_ALLOW_PAIR1, IDC_ALLOW_PAIR2};
const int kOriginalBoxes[2] = {IDC_PAIR1_CHAR, IDC_PAIR2_CHAR};
const int kReplacementBoxes[2] = {IDC_PAIR1_REPLACEMENT, IDC_PAIR2_REPLACEMENT};

void ApplyPacketCrRule(FormControls& form) {
    const bool packet = form.IsChecked(IDC_CR_PACKET);
    if (packet)
        for (int id : kTrackCrBoxes)
            form.SetChecked(id, false);
    for (int id : kTrackCrBoxes)
        form.SetEnabled(id, !packet);
}

void ApplyTrackCrRule(FormControls& form, int clickedId) {
    if (form.IsChecked(clickedId))
        form.SetChecked(IDC_CR_PACKET, false);
    bool anyTrack = false;
    for (int id : kTrackCrBoxes) {
        if (form.IsChecked(id)) {
            anyTrack = true;
            break;
        }
    }
    form.SetEnabled(IDC_CR_PACKET, !anyTrack);
}

void ApplyAllowRule(FormControls& form, int allowBoxId) {
    static const int kPair1[] = {IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR,
                                 IDC_PAIR1_REPLACEMENT};
    static const int kPair2[] = {IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR,
                                 IDC_PAIR2_REPLACEMENT};
    const bool enabled = form.IsChecked(allowBoxId);
    for (int id : allowBoxId == IDC_ALLOW_PAIR1 ? kPair1 : kPair2)
        form.SetEnabled(id, enabled);
}

bool ApplyClickRule(FormControls& form, int id) {
    switch (id) {
        case IDC_CR_PACKET:
            ApplyPacketCrRule(form);
            return true;
        case IDC_CR_TRACK1:
        case IDC_CR_TRACK2:
        case IDC_CR_TRACK3:
            ApplyTrackCrRule(form, id);
            return true;
        case IDC_ALLOW_PAIR1:
        case IDC_ALLOW_PAIR2:
            ApplyAllowRule(form, id);
            return true;
        default:
            return false;
    }
}

void WriteDefaultSentinels(FormControls& form) {
    for (const SentinelDefault& sentinel : kSentinelDefaults)
        form.SetText(sentinel.controlId, sentinel.text);
}

void RestoreDefaultFormat(FormControls& form) {
    WriteDefaultSentinels(form);
    for (int id : kTrackBoxes)
        form.SetChecked(id, true);
    form.SetChecked(IDC_CR_PACKET, true);
    ApplyPacketCrRule(form);
    form.SetEnabled(IDC_CR_PACKET, true);
}
