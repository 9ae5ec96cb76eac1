#include "app/settings_access.h"

#include "framework/resources.h"
#include "res/resource.h"
#include "settings/control_names.h"

namespace {

const int kReadingOrder[] = {
    IDC_FIND_DEVICE,   IDC_DISCONNECT,        IDC_RADIO_CHINESE,     IDC_RADIO_ENGLISH,
    IDC_TRACK1_START,  IDC_TRACK2_START,      IDC_TRACK3_START,      IDC_TRACK1_END,
    IDC_TRACK2_END,    IDC_TRACK3_END,        IDC_OUTPUT_TRACK1,     IDC_OUTPUT_TRACK2,
    IDC_OUTPUT_TRACK3, IDC_CR_TRACK1,         IDC_CR_TRACK2,         IDC_CR_TRACK3,
    IDC_CR_PACKET,     IDC_SET_DEVICE,        IDC_RESTORE_DEFAULTS,  IDC_GET_VERSION,
    IDC_ALLOW_PAIR1,   IDC_PAIR1_CHAR,        IDC_PAIR1_REPLACEMENT, IDC_ALLOW_PAIR2,
    IDC_PAIR2_CHAR,    IDC_PAIR2_REPLACEMENT, IDC_SET_REPLACE,       IDC_CANCEL_REPLACE,
};

// The hidden label of the edit box `id` has the id `id` + kNameLabelOffset.
constexpr int kNameLabelOffset = 10000;

void PlaceAfter(HWND window, HWND previous) {
    SetWindowPos(window, previous ? previous : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AddStyle(HWND window, LONG style) {
    SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | style);
}

}  // namespace

void PutInReadingOrder(HWND dialog) {
    HWND previous = nullptr;
    for (int id : kReadingOrder) {
        const HWND control = GetDlgItem(dialog, id);
        if (control == nullptr)
            continue;
        if (previous != nullptr)
            PlaceAfter(control, previous);
        previous = control;
    }
    // The two language buttons are a group of their own.
    AddStyle(GetDlgItem(dialog, IDC_RADIO_CHINESE), WS_GROUP);
    AddStyle(GetDlgItem(dialog, IDC_TRACK1_START), WS_GROUP);
}

void NameEditBoxes(HWND dialog, bool english) {
    for (std::size_t i = 0; i < kEditNameCount; ++i) {
        const Caption& name = kEditNames[i];
        const HWND edit = GetDlgItem(dialog, name.controlId);
        if (edit == nullptr)
            continue;
        const wchar_t* text = Pick(english, name.english, name.chinese);
        HWND label = GetDlgItem(dialog, name.controlId + kNameLabelOffset);
        if (label == nullptr) {
            RECT rect{};
            GetWindowRect(edit, &rect);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            label = CreateWindowExW(
                0, L"Static", text, WS_CHILD | SS_LEFT | SS_NOPREFIX, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, dialog,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(name.controlId + kNameLabelOffset)),
                fw::ResourceModule(), nullptr);
        } else {
            SetWindowTextW(label, text);
        }
        const HWND before = GetWindow(edit, GW_HWNDPREV);
        if (label != nullptr && before != label)
            PlaceAfter(label, before);
    }
}
