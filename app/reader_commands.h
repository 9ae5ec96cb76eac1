// The reader commands behind the settings window's buttons.
#pragma once

#include "app/command_ui.h"

class ReaderCommands {
public:
    explicit ReaderCommands(CommandUi& ui) : ui_(ui) {}

    void FindDevice();
    void Disconnect();
    void SetFormat();
    void GetVersion();
    void SetReplace();
    void CancelReplace();

private:
    CommandUi& ui_;
};
