#include "cli/exit_codes.h"

namespace cli {

const std::vector<ExitCodeLine>& ExitCodeTable() {
    static const std::vector<ExitCodeLine> table = {
        {ExitCode::Success, "success"},
        {ExitCode::Refused, "the reader refused ('N')"},
        {ExitCode::NoReader, "no reader (none connected, none at --path, or pulled out)"},
        {ExitCode::Timeout, "timeout: the command or its answer did not get through"},
        {ExitCode::BadInput, "bad arguments, profile or input; nothing was sent"},
        {ExitCode::PartlyDone, "partly done (--all): some readers done, others not"},
        {ExitCode::Unserved, "the reader answered neither 'Y' nor 'N', or cannot be served"},
        {ExitCode::AgreesSoFar, "swipe: agrees as far as the swipe shows, some settings unseen"},
        {ExitCode::Busy, "the reader stayed busy with another program for 5 s; nothing was sent"},
    };
    return table;
}

ExitCode Combined(const std::vector<ExitCode>& codes) {
    bool anyDone = false, anyFailed = false;
    ExitCode firstFailure = ExitCode::Success;
    for (ExitCode code : codes) {
        if (code == ExitCode::Success) {
            anyDone = true;
        } else if (!anyFailed) {
            anyFailed = true;
            firstFailure = code;
        }
    }
    if (!anyFailed)
        return codes.empty() ? ExitCode::NoReader : ExitCode::Success;
    return anyDone ? ExitCode::PartlyDone : firstFailure;
}

}  // namespace cli
