// The settings window's form read as one short picture, for tests that follow it step by step.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "ui_helpers.h"

// The groups of boxes: carriage returns, output tracks, pair 1, pair 2.
inline const std::vector<int> kFormGroups[] = {
    {IDC_CR_PACKET, IDC_CR_TRACK1, IDC_CR_TRACK2, IDC_CR_TRACK3},
    {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3},
    {IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR_LABEL, IDC_PAIR1_REPLACEMENT_LABEL, IDC_PAIR1_CHAR,
     IDC_PAIR1_REPLACEMENT},
    {IDC_ALLOW_PAIR2, IDC_PAIR2_CHAR_LABEL, IDC_PAIR2_REPLACEMENT_LABEL, IDC_PAIR2_CHAR,
     IDC_PAIR2_REPLACEMENT},
};

// Each group: X checked, o open, . greyed, # greyed and checked; then the sentinel texts.
inline std::wstring FormPicture(HWND dialog) {
    std::wstring form;
    for (const std::vector<int>& group : kFormGroups) {
        for (int id : group)
            form +=
                L".o#X"[2 * IsItemChecked(dialog, id) + !!IsWindowEnabled(GetDlgItem(dialog, id))];
        form += L' ';
    }
    for (int id : {IDC_TRACK1_START, IDC_TRACK1_END, IDC_TRACK2_START, IDC_TRACK2_END,
                   IDC_TRACK3_START, IDC_TRACK3_END})
        form += ItemText(dialog, id);
    return form;
}

// The four boxes of the pairs: character and replacement of pair 1, then of pair 2.
inline std::wstring PairTexts(HWND dialog) {
    std::wstring texts;
    for (int id : {IDC_PAIR1_CHAR, IDC_PAIR1_REPLACEMENT, IDC_PAIR2_CHAR, IDC_PAIR2_REPLACEMENT})
        texts += ItemText(dialog, id) + L"|";
    return texts;
}
