#include "app/reader_commands.h"

// No reader link exists yet: every command ends at its first step.
void ReaderCommands::FindDevice() { ui_.Report(Occasion::FindNoReader); }
void ReaderCommands::Disconnect() { ui_.Report(Occasion::DisconnectNoReader); }

void ReaderCommands::SetFormat() {
    ui_.Report(Occasion::CommandNoReader);
    ui_.EnableSetDevice();
}

void ReaderCommands::GetVersion() {
    ui_.Report(Occasion::CommandNoReader);
    ui_.EnableSetDevice();
}

void ReaderCommands::SetReplace() { ui_.Report(Occasion::CommandNoReader); }
void ReaderCommands::CancelReplace() { ui_.Report(Occasion::CommandNoReader); }
