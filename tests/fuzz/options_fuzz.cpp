// The companion's command line: the input split at NUL bytes into arguments. Parsing is
// repeatable; a refusal is one line; what is accepted uses only the spellings --help
// documents, never addresses all readers and one reader (by path or number) at once, passes the
// window's own form checks, and survives being written as a profile and read again.
#include <set>
#include <string>
#include <vector>

#include "cli/options.h"
#include "fuzz_check.h"
#include "refusal_check.h"
#include "same_setup.h"
#include "settings/form_checks.h"
#include "settings/profile.h"

using namespace cli;
using namespace settings;

namespace {

// Every option spelling the help text shows ("--tracks", "--track2-end=" as "--track2-end").
std::set<std::string> DocumentedOptions() {
    const std::string usage = UsageText();
    std::set<std::string> options;
    for (std::size_t at = usage.find('-'); at != std::string::npos; at = usage.find('-', at)) {
        const bool starts = at == 0 || usage[at - 1] == ' ' || usage[at - 1] == '[' ||
                            usage[at - 1] == '(' || usage[at - 1] == '"';
        const std::size_t end =
            usage.find_first_not_of("-abcdefghijklmnopqrstuvwxyz0123456789", at);
        if (starts && end > at + 1)
            options.insert(usage.substr(at, end - at));
        at = end;
    }
    return options;
}

// Options that take no value.
bool IsFlag(const std::string& name) {
    return name == "--help" || name == "-h" || name == "--version" || name == "--all" ||
           name == "--json" || name == "--show-all" || name == "--status";
}

bool SameParse(const ParsedArguments& a, const ParsedArguments& b) {
    if (a.error != b.error || a.invocation.has_value() != b.invocation.has_value())
        return false;
    if (!a.invocation)
        return true;
    const Invocation &x = *a.invocation, &y = *b.invocation;
    return x.command == y.command && x.all == y.all && x.path == y.path &&
           x.readerNumber == y.readerNumber && x.json == y.json && x.file == y.file &&
           x.status == y.status && x.showAll == y.showAll && SameSetup(x.setup, y.setup);
}

}  // namespace

void FuzzOne(FuzzInput& in) {
    static const std::set<std::string> documented = DocumentedOptions();
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < in.size; ++i) {
        if (in.data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(in.data[i]);
    }
    if (in.size == 0)
        args.clear();

    const ParsedArguments parsed = ParseArguments(args);
    FUZZ_CHECK(SameParse(parsed, ParseArguments(args)));
    if (!parsed.invocation) {
        CheckOneLine(parsed.error);
        return;
    }
    FUZZ_CHECK(parsed.error.empty());

    // The options as they stand in the vector: each a documented spelling, a value after
    // every one that takes a value and has none of its own after "=".
    bool all = false, path = false, number = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            continue;
        const std::string name = arg.substr(0, arg.find('='));
        FUZZ_CHECK(documented.count(name) == 1);
        all = all || name == "--all";
        path = path || name == "--path";
        number = number || name == "--reader";
        if (!IsFlag(name) && name.size() == arg.size())
            ++i;
    }
    // Help and the companion's own version are printed whatever else the line asks, and
    // address no reader.
    const Invocation& invocation = *parsed.invocation;
    const bool ownText =
        invocation.command == Command::Help || invocation.command == Command::ProgramVersion;
    FUZZ_CHECK(ownText || !(all && path));
    FUZZ_CHECK(!(invocation.all && !invocation.path.empty()));
    // A reader's number comes from --reader alone, and picks the one reader.
    FUZZ_CHECK(invocation.readerNumber == 0 || number);
    FUZZ_CHECK(invocation.readerNumber == 0 || (!invocation.all && invocation.path.empty()));
    FUZZ_CHECK(!FormatRefusal(invocation.setup.format));
    if (invocation.command == Command::Replace)
        FUZZ_CHECK(!ReplaceRefusal(invocation.setup.replace));
    if (invocation.command == Command::Set || invocation.command == Command::Profile) {
        const ProfileResult again = ParseProfile(WriteProfile(invocation.setup));
        FUZZ_CHECK(again.setup.has_value());
        FUZZ_CHECK(SameSetup(*again.setup, invocation.setup));
    }
}
