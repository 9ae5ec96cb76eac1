// Rules that keep the output-format form consistent, and its default values.
//
// The form state lives in the settings window's controls; the rules reach them through
// FormControls, so they run the same against the real window and against a plain record.
#pragma once

class FormControls {
public:
    virtual ~FormControls() = default;
    virtual bool IsChecked(int id) const = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void SetEnabled(int id, bool enabled) = 0;
    virtual void SetText(int id, const wchar_t* text) = 0;
};

// The six sentinel edits, start and end of tracks 1 to 3 in the order of the report, with
// their default texts: the one list of them.
struct SentinelDefault {
    int controlId;
    const wchar_t* text;
};
extern const SentinelDefault kSentinelDefaults[6];

// The form's other boxes, each list in the order of the report: tracks 1 to 3, then pairs
// 1 and 2.
extern const int kTrackBoxes[3];
extern const int kTrackCrBoxes[3];
extern const int kAllowBoxes[2];
extern const int kOriginalBoxes[2];
extern const int kReplacementBoxes[2];

// After a click on the whole-packet CR box.
void ApplyPacketCrRule(FormControls& form);
// After a click on one of the per-track CR boxes.
void ApplyTrackCrRule(FormControls& form, int clickedId);
// After a click on the allow box of a replacement pair (IDC_ALLOW_PAIR1 or IDC_ALLOW_PAIR2).
void ApplyAllowRule(FormControls& form, int allowBoxId);
// After a click on box `id`, which has already toggled: runs the rule that box triggers, one
// of the three above. False for a control that triggers none.
bool ApplyClickRule(FormControls& form, int id);
// Writes the default sentinels.
void WriteDefaultSentinels(FormControls& form);
// Puts the format part of the form back to its start-up values (Packet state); leaves the
// replacement pairs alone.
void RestoreDefaultFormat(FormControls& form);
