#include "cli/options.h"

#include <utility>

#include "cli/exit_codes.h"
#include "settings/quoting.h"
#include "settings/ui_text.h"
#include "settings/window_text.h"

namespace cli {

using settings::ApplyChoice;
using settings::DefaultSetup;
using settings::IsFormatChoice;
using settings::ParsePairs;
using settings::Quoted;
namespace {

struct CommandName {
    const char* name;
    Command command;
};
const CommandName kCommands[] = {
    {"list", Command::List},       {"version", Command::Version},
    {"set", Command::Set},         {"defaults", Command::Defaults},
    {"replace", Command::Replace}, {"cancel-replace", Command::CancelReplace},
    {"apply", Command::Apply},     {"profile", Command::Profile},
    {"swipe", Command::Swipe},     {"help", Command::Help},
    {"watch", Command::Watch},
};

bool TalksToReaders(Command command) {
    return command != Command::Help && command != Command::ProgramVersion &&
           command != Command::List && command != Command::Profile && command != Command::Swipe &&
           command != Command::Watch;
}

// The longest wait for a swipe: a day.
constexpr int kMaxTimeoutSeconds = 86400;

// A whole number from 1 to `most`, digits only, read no further than it stays in bounds.
std::optional<int> Number(const std::string& digits, int most) {
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || value > most)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > most)
        return std::nullopt;
    return value;
}

// The most readers a number picks among.
constexpr int kMaxReaderNumber = 999;

// The command line split into its parts before they are checked against the command.
struct Parts {
    std::optional<Command> command;
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> choices;  // --name value, in order
    bool all = false, json = false, help = false, version = false, showAll = false, status = false;
    std::optional<std::string> path, reader, output, profile, timeout;
};

// Reads `--name=value` or `--name value`; false when the value is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& inlineValue,
               bool hasInline, std::string& value) {
    if (hasInline) {
        value = inlineValue;
        return true;
    }
    if (i + 1 >= args.size())
        return false;
    value = args[++i];
    return true;
}

// The switch an option without a value turns on; none for other options.
bool* FlagOf(const std::string& name, Parts& parts) {
    if (name == "--help" || name == "-h")
        return &parts.help;
    if (name == "--version")
        return &parts.version;
    if (name == "--all")
        return &parts.all;
    if (name == "--json")
        return &parts.json;
    if (name == "--show-all")
        return &parts.showAll;
    if (name == "--status")
        return &parts.status;
    return nullptr;
}

std::optional<std::string> SplitOption(const std::vector<std::string>& args, std::size_t& i,
                                       Parts& parts) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const bool hasInline = equals != std::string::npos;
    const std::string inlineValue = hasInline ? arg.substr(equals + 1) : "";
    if (bool* flag = FlagOf(name, parts)) {
        if (hasInline)
            return name + ": takes no value";
        *flag = true;
        return std::nullopt;
    }
    std::string value;
    std::optional<std::string>* slot = name == "--path"                     ? &parts.path
                                       : name == "--reader"                 ? &parts.reader
                                       : name == "--output" || name == "-o" ? &parts.output
                                       : name == "--profile"                ? &parts.profile
                                       : name == "--timeout"                ? &parts.timeout
                                                                            : nullptr;
    // A choice is spelt with two dashes and its exact name, nothing else.
    const std::string choice = name.compare(0, 2, "--") == 0 ? name.substr(2) : "";
    if (slot == nullptr && !(IsFormatChoice(choice) || choice == "replace"))
        return "unknown option " + Quoted(name);
    if (!TakeValue(args, i, inlineValue, hasInline, value))
        return name + ": a value is missing";
    if (slot != nullptr) {
        // An empty name (an unset variable in a script) names nothing: it is not taken for
        // the option left out.
        if (value.empty())
            return name + (slot == &parts.path      ? ": the device path is empty"
                           : slot == &parts.timeout ? ": the number of seconds is empty"
                           : slot == &parts.reader  ? ": the reader's number is empty"
                                                    : ": the file name is empty");
        if (*slot)
            return name + ": given twice";
        *slot = value;
    } else {
        for (const auto& given : parts.choices)
            if (given.first == choice)
                return name + ": given twice";
        parts.choices.emplace_back(choice, value);
    }
    return std::nullopt;
}

std::optional<std::string> Split(const std::vector<std::string>& args, Parts& parts) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "/?") {  // the help, as Windows programs spell it
            parts.help = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            if (auto error = SplitOption(args, i, parts))
                return error;
        } else if (!parts.command) {
            for (const CommandName& known : kCommands)
                if (arg == known.name)
                    parts.command = known.command;
            if (!parts.command)
                return "unknown command " + Quoted(arg) + " (see --help)";
        } else {
            parts.positional.push_back(arg);
        }
    }
    return std::nullopt;
}

// The options that only some commands take.
std::optional<std::string> CheckOptionsFit(const Parts& parts, Command command) {
    const bool swipe = command == Command::Swipe;
    const bool formatCommand = command == Command::Set || command == Command::Profile || swipe;
    for (const auto& given : parts.choices) {
        const bool fits =
            given.first == "replace" ? command == Command::Profile || swipe : formatCommand;
        if (!fits)
            return "--" + given.first + ": not an option of this command";
    }
    const bool watch = command == Command::Watch;
    if (parts.json && command != Command::List && !swipe && !watch)
        return "--json: only list, swipe and watch take it";
    if (parts.status && !watch)
        return "--status: only watch takes it";
    if (parts.status && (parts.profile || parts.json))
        return std::string("--status and ") + (parts.profile ? "--profile" : "--json") +
               " exclude each other";
    if (watch && !parts.profile && !parts.status)
        return "watch: --profile FILE is missing";
    if (!swipe && !watch && parts.profile)
        return "--profile: only swipe and watch take it";
    if (!swipe && (parts.timeout || parts.showAll))
        return std::string(parts.timeout ? "--timeout" : "--show-all") + ": only swipe takes it";
    if (parts.profile && !parts.choices.empty())
        return "--profile and --" + parts.choices.front().first + " exclude each other";
    if (parts.output && command != Command::Profile)
        return "--output: only profile takes it";
    if ((parts.all || parts.path || parts.reader) && !TalksToReaders(command))
        return std::string(parts.all    ? "--all"
                           : parts.path ? "--path"
                                        : "--reader") +
               ": this command addresses no reader";
    if (parts.all && parts.path)
        return "--all and --path exclude each other";
    if (parts.reader && (parts.all || parts.path))
        return std::string("--reader and ") + (parts.all ? "--all" : "--path") +
               " exclude each other";
    return std::nullopt;
}

std::optional<std::string> CheckPositional(const Parts& parts, Invocation& invocation) {
    const std::size_t count = parts.positional.size();
    switch (invocation.command) {
        case Command::Replace:
            if (auto error = ParsePairs(parts.positional, true, invocation.setup.replace))
                return "replace: " + *error;
            return std::nullopt;
        case Command::Apply:
            if (count != 1)
                return count == 0 ? "apply: the profile file is missing"
                                  : "apply: one profile file, not " + std::to_string(count);
            if (parts.positional[0].empty())
                return "apply: the profile file name is empty";
            invocation.file = parts.positional[0];
            return std::nullopt;
        default:
            if (count > 0)
                return "unexpected argument " + Quoted(parts.positional[0]);
            return std::nullopt;
    }
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    Parts parts;
    if (auto error = Split(args, parts))
        return {std::nullopt, *error};
    Invocation invocation;
    invocation.setup = DefaultSetup();
    if (parts.help || parts.version || !parts.command) {
        if (!parts.help && !parts.version)
            return {std::nullopt, "no command given (see --help)"};
        invocation.command = parts.help ? Command::Help : Command::ProgramVersion;
        return {invocation, ""};
    }
    invocation.command = *parts.command;
    if (auto error = CheckOptionsFit(parts, invocation.command))
        return {std::nullopt, *error};
    if (auto error = CheckPositional(parts, invocation))
        return {std::nullopt, *error};
    for (const auto& given : parts.choices)
        if (auto error = ApplyChoice(invocation.setup, given.first, given.second))
            return {std::nullopt, "--" + given.first + ": " + *error};
    invocation.all = parts.all;
    invocation.path = parts.path.value_or("");
    invocation.json = parts.json;
    if (parts.output && *parts.output != "-")
        invocation.file = *parts.output;
    invocation.showAll = parts.showAll;
    invocation.status = parts.status;
    if (parts.profile)
        invocation.file = *parts.profile;
    if (parts.timeout) {
        const auto seconds = Number(*parts.timeout, kMaxTimeoutSeconds);
        if (!seconds)
            return {std::nullopt, "--timeout: " + Quoted(*parts.timeout) +
                                      " is not a number of seconds from 1 to 86400"};
        invocation.timeoutSeconds = *seconds;
    }
    if (parts.reader) {
        const auto number = Number(*parts.reader, kMaxReaderNumber);
        if (!number)
            return {std::nullopt, "--reader: " + Quoted(*parts.reader) +
                                      " is not a reader's number as list shows it (1, 2, ...)"};
        invocation.readerNumber = *number;
    }
    return {invocation, ""};
}

std::string UsageText() {
    std::string text =
        "Usage: zp350cli [--all | --reader N | --path PATH] COMMAND [ARGUMENTS] [OPTIONS]\n"
        "       zp350cli --help | -h | /?    this text\n"
        "       zp350cli --version           the companion's own version\n"
        "\n"
        "Commands:\n"
        "  list [--json]           every connected reader: its number, path, vendor,\n"
        "                          product, version number and version text, one per line\n"
        "  version                 the reader's version text\n"
        "  set [FORMAT OPTIONS]    send an output format (unset choices: the defaults)\n"
        "  defaults                send the default output format\n"
        "  replace a=x [b=y]       replace up to two characters in the reader's output\n"
        "                          (\"- b=y\": the second pair alone, the first not used)\n"
        "  cancel-replace          stop replacing characters\n"
        "  apply FILE              send a profile: its format, then its replacements (or\n"
        "                          cancel them when it has none)\n"
        "  profile [FORMAT OPTIONS] [--replace \"a=x b=y\"] [--output FILE]\n"
        "                          write a profile (to standard output without --output;\n"
        "                          -o FILE is the same as --output FILE)\n"
        "  swipe [FORMAT OPTIONS] [--replace \"a=x b=y\"] [--profile FILE] [--show-all]\n"
        "        [--json] [--timeout SECONDS]\n"
        "                          check what a reader types for a swipe against a format\n"
        "                          (the options' or a profile's). From a console, raw and\n"
        "                          unechoed, until the format's last carriage return or a\n"
        "                          second's pause (30 s for the first key unless --timeout);\n"
        "                          an Enter or blanks alone are no swipe. From a pipe or file\n"
        "                          (UTF-8 or UTF-16, at most 64 KiB), to its end: a line end\n"
        "                          counts as a carriage return, and blank lines separate\n"
        "                          swipes, each checked in turn and numbered. Card numbers\n"
        "                          show at most their first six and last four digits unless\n"
        "                          --show-all. Exit 0: all match, 1: one differs, 3: no\n"
        "                          swipe, 4: bad arguments, profile or input\n"
        "  watch --profile FILE [--json]\n"
        "                          send the profile to every reader connected now and to\n"
        "                          each one plugged in later, then read its version; one\n"
        "                          line (--json: one object) per event: arrived, applied,\n"
        "                          failed (tried again when it is plugged in again), gone;\n"
        "                          the file is read again when it changes (a broken one\n"
        "                          keeps the last good profile in force). Until Ctrl+C.\n"
        "  watch --status          whether the reader set-up service runs, its profile and\n"
        "                          its latest event (exit 0: it runs, 2: it does not)\n"
        "\n"
        "Format options (the same names are a profile's keys, as \"name = value\" lines):\n"
        "  --tracks 1,2,3          the tracks to output\n"
        "  --cr packet|none|1,2,3  a carriage return after the packet, nowhere, or after\n"
        "                          the tracks given (packet and tracks exclude each other)\n"
        "  --track1-start C  --track1-end C  --track2-start C  --track2-end C\n"
        "  --track3-start C  --track3-end C\n"
        "                          start and end sentinels: one printable ASCII character,\n"
        "                          or empty (--track2-end=) for none\n"
        "\n"
        "Readers: a command that talks to a reader refuses when several are connected;\n"
        "  --reader N picks one by its number as list shows it (1, 2, ...), --path PATH by\n"
        "  its path (in quotes: a path holds &, which the command prompt splits at), --all\n"
        "  runs the command on each.\n"
        "\n"
        "Exit codes:\n";
    for (const ExitCodeLine& line : ExitCodeTable())
        text += "  " + std::to_string(static_cast<int>(line.code)) + "  " + line.meaning + "\n";
    return text;
}

std::string VersionText() {
    return std::string("zp350cli ") + ZP350_VERSION +
           (sizeof(void*) == 8 ? " (64-bit)" : " (32-bit)");
}

}  // namespace cli
