// What the command-line program's exit code tells a script.
#pragma once

#include <vector>

namespace cli {

enum class ExitCode {
    Success = 0,
    Refused = 1,      // the reader answered 'N'
    NoReader = 2,     // no reader connected (or none at the path given, or it was pulled out)
    Timeout = 3,      // the command or the answer did not get through in time
    BadInput = 4,     // bad arguments or profile; nothing was sent
    PartlyDone = 5,   // with --all: some readers done, others not
    Unserved = 6,     // the reader answered neither 'Y' nor 'N', or its reports do not fit
    AgreesSoFar = 7,  // swipe: nothing differs, but the swipe did not show every setting
    Busy = 8,         // another program kept the reader longer than a command waits: nothing sent
};

struct ExitCodeLine {
    ExitCode code;
    const char* meaning;
};
// Every code with its meaning, in order, for --help.
const std::vector<ExitCodeLine>& ExitCodeTable();

// The outcome of one command over several readers: Success when all succeeded, PartlyDone
// when some did, otherwise the first reader's code.
ExitCode Combined(const std::vector<ExitCode>& codes);

}  // namespace cli
