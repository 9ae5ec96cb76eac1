// The About box, opened from the settings window's system menu.
#pragma once

#include "framework/dialog.h"
#include "res/resource.h"

class AboutDialog : public fw::Dialog {
public:
    explicit AboutDialog(HWND parent = nullptr) : fw::Dialog(IDD_ABOUTBOX, parent) {}
};
