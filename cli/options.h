// The command line of zp350cli: a command, its arguments and options, read into a plain
// record. Everything that would be refused is refused here, before any reader is touched.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/choices.h"

namespace cli {

enum class Command {
    Help,
    ProgramVersion,  // --version: the companion's own version
    List,
    Version,
    Set,
    Defaults,
    Replace,
    CancelReplace,
    Apply,
    Profile,
    Swipe,
    Watch,  // applies a profile to every reader present and plugged in later
};

struct Invocation {
    Command command = Command::Help;
    bool all = false;         // every connected reader
    std::string path;         // the one reader at this device path; empty: the only one
    int readerNumber = 0;     // the one reader of this number (from 1, as list shows it); 0: none
    bool json = false;        // list, swipe, watch: JSON instead of lines
    settings::Setup setup;    // set: the format; replace: the pairs; profile, swipe: both
    std::string file;         // apply, swipe and watch --profile: the profile to read; profile: where to
                              // write it (- or empty: standard output)
    bool showAll = false;     // swipe: card numbers in full
    bool status = false;      // watch --status: the reader set-up service's state instead
    int timeoutSeconds = 30;  // swipe: how long a console waits for the first key
};

struct ParsedArguments {
    std::optional<Invocation> invocation;
    std::string error;  // one line naming the option or argument
};
// `args` are the arguments after the program's name, UTF-8.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The text of --help: commands, options and exit codes.
std::string UsageText();
// The line of --version: "zp350cli 1.0.0 (64-bit)".
std::string VersionText();

}  // namespace cli
