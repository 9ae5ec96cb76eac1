// The reader commands behind the settings window's buttons: find and disconnect, the output
// format, the version query and the two replacement commands. Each command takes the form as
// a plain record and is one report exchange (reader/run_exchange.h) whose steps are reported
// in the window's status line and message boxes.
#pragma once

#include <optional>

#include "app/command_ui.h"
#include "reader/protocol.h"
#include "reader/reader_link.h"
#include "settings/form_record.h"

class ReaderCommands {
public:
    explicit ReaderCommands(CommandUi& ui) : ui_(ui) {}

    void FindDevice();
    void Disconnect();
    // `unfit`: the first box the command would send whose text the reader cannot type; the
    // command is then refused, naming it.
    void SetFormat(const reader::FormatSettings& form, const std::optional<UnfitBox>& unfit);
    void GetVersion();
    void SetReplace(const reader::ReplaceSettings& form, const std::optional<UnfitBox>& unfit);
    void CancelReplace();

    // The pause between finding the reader and asking for its version.
    static constexpr unsigned kPauseBeforeVersionMs = 200;

private:
    // Silent: the HID parser refused the report and the command ends without a trace.
    enum class Ending { Answered, NotAnswered, Silent };

    bool LinkReady();
    void Refuse(Occasion refusal);
    bool RefusedFor(const std::optional<UnfitBox>& unfit);
    // Runs the exchange, reporting its steps (settings/command_texts.h); on Answered, `answer`
    // holds the input report.
    Ending Exchange(reader::ReaderCommand command, const reader::Bytes& payload,
                    reader::Bytes& answer);
    // Reports the reader's verdict; true when it accepted the command.
    bool ReportVerdict(reader::ReaderCommand command, const reader::Bytes& answer);

    CommandUi& ui_;
    reader::ReaderLink link_;
};
