// A click on a check box of the settings window's form, as the window takes it: the box
// toggles, then the rule that box triggers runs. For the native tests and the fuzz targets.
#pragma once

#include "res/resource.h"
#include "settings/form_record.h"
#include "settings/form_rules.h"

inline void ClickBox(PlainForm& form, int id) {
    form.SetChecked(id, !form.IsChecked(id));
    if (id == IDC_CR_PACKET)
        ApplyPacketCrRule(form);
    else if (id >= IDC_CR_TRACK1 && id <= IDC_CR_TRACK3)
        ApplyTrackCrRule(form, id);
    else if (id == IDC_ALLOW_PAIR1 || id == IDC_ALLOW_PAIR2)
        ApplyAllowRule(form, id);
}
