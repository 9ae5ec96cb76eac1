#include "cli/cli_run.h"

#include <windows.h>

#include <cstdint>

#include "cli/failure_text.h"
#include "cli/listing.h"
#include "cli/options.h"
#include "cli/reader_tasks.h"
#include "cli/shown_console.h"
#include "cli/swipe_command.h"
#include "cli/watch_command.h"
#include "reader/reader_link.h"
#include "settings/profile.h"
#include "settings/profile_file.h"
#include "settings/quoting.h"
#include "settings/ui_text.h"

namespace cli {

using settings::LoadProfileFile;
using settings::ProfileResult;
using settings::ShownPath;

using settings::WriteFailure;
using settings::WriteProfile;
using settings::WriteProfileFile;
namespace {

constexpr const char* kName = "zp350cli: ";

int Code(ExitCode code) {
    return static_cast<int>(code);
}

int Fail(Console& console, ExitCode code, const std::string& line) {
    console.Err(kName + line + "\n");
    return Code(code);
}

int WriteProfileTo(const Invocation& invocation, Console& console) {
    const std::string text = WriteProfile(invocation.setup);
    if (invocation.file.empty()) {
        console.Out(text);
        return Code(ExitCode::Success);
    }
    if (const settings::WriteResult failed = WriteProfileFile(invocation.file, text))
        return Fail(console, ExitCode::BadInput, WriteFailure(invocation.file, failed));
    return Code(ExitCode::Success);
}

// Reads the profile of `apply` into the invocation; the error line when it is no profile.
std::optional<std::string> LoadProfile(Invocation& invocation) {
    const ProfileResult profile = LoadProfileFile(invocation.file);
    if (!profile.setup)
        return profile.error;
    invocation.setup = *profile.setup;
    return std::nullopt;
}

// Device paths name the same interface whatever the case of their letters.
bool SamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The readers a command goes to: all with --all, the one at --path or of --reader's number,
// or the only one.
int SelectReaders(const Invocation& invocation, std::vector<std::string>& paths,
                  ShownConsole& console) {
    const reader::ReaderList list = reader::ListReaders();
    for (const reader::ReaderInfo& info : list.readers)
        console.KeepAsIs(info.path);
    if (list.end == reader::WalkEnd::NoDeviceList || list.end == reader::WalkEnd::DetailFailed)
        return Fail(console, ExitCode::NoReader, ConsoleText(Occasion::FindNoDeviceList));
    const std::size_t count = list.readers.size();
    const auto number = static_cast<std::size_t>(invocation.readerNumber);
    if (number > count && count > 0)
        return Fail(console, ExitCode::NoReader,
                    "no reader number " + std::to_string(number) + ": " +
                        (count == 1 ? "1 reader is" : std::to_string(count) + " readers are") +
                        " connected (see list)");
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& path = list.readers[i].path;
        if (number != 0 ? i + 1 == number
                        : invocation.path.empty() || SamePath(path, invocation.path))
            paths.push_back(path);
    }
    if (paths.empty() && !invocation.path.empty())
        return Fail(console, ExitCode::NoReader, "no reader at " + ShownPath(invocation.path));
    if (paths.empty())
        return Fail(console, ExitCode::NoReader, ConsoleText(Occasion::CommandNoReader));
    if (paths.size() > 1 && !invocation.all) {
        // Paths hold "&", which the command prompt splits at unless the path is quoted.
        std::string text = kName + std::to_string(paths.size()) +
                           " readers are connected; pick one with --reader N (its number "
                           "below), --path \"PATH\" (in quotes) or use --all:\n";
        for (std::size_t i = 0; i < paths.size(); ++i)
            text += "  " + std::to_string(i + 1) + "  " + paths[i] + "\n";
        console.Err(text);
        return Code(ExitCode::BadInput);
    }
    return Code(ExitCode::Success);
}

int List(const Invocation& invocation, ShownConsole& console) {
    const reader::ReaderList list = reader::ListReaders();
    for (const reader::ReaderInfo& info : list.readers) {
        console.KeepAsIs(info.path);
        console.KeepAsIs(
            settings::Escaped(info.path, std::string::npos, settings::EscapeFor::Json));
    }
    if (list.end == reader::WalkEnd::NoDeviceList || list.end == reader::WalkEnd::DetailFailed)
        return Fail(console, ExitCode::NoReader, ConsoleText(Occasion::FindNoDeviceList));
    std::vector<ListedReader> readers;
    for (const reader::ReaderInfo& info : list.readers) {
        readers.push_back({info, ReadVersionText(info.path)});
        if (!invocation.json)
            console.Out(ListingLine(static_cast<int>(readers.size()), readers.back()) + "\n");
    }
    if (invocation.json)
        console.Out(ListingJson(readers));
    if (readers.empty())
        return Fail(console, ExitCode::NoReader, ConsoleText(Occasion::CommandNoReader));
    return Code(ExitCode::Success);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Console& out, SwipeSource& input) {
    ShownConsole console(out);
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.invocation)
        return Fail(console, ExitCode::BadInput, parsed.error);
    Invocation invocation = *parsed.invocation;
    switch (invocation.command) {
        case Command::Help:
            console.Out(UsageText());
            return Code(ExitCode::Success);
        case Command::ProgramVersion:
            console.Out(VersionText() + "\n");
            return Code(ExitCode::Success);
        case Command::Profile:
            return WriteProfileTo(invocation, console);
        case Command::List:
            return List(invocation, console);
        case Command::Swipe:
            if (invocation.showAll)
                console.ShowAllOut();
            return RunSwipe(invocation, console, input);
        case Command::Watch:
            return RunWatchCommand(invocation, console);
        case Command::Apply:
            if (const auto error = LoadProfile(invocation))
                return Fail(console, ExitCode::BadInput, *error);
            break;
        default:
            break;
    }
    std::vector<std::string> paths;
    const int selected = SelectReaders(invocation, paths, console);
    if (selected != Code(ExitCode::Success))
        return selected;
    std::vector<ExitCode> codes;
    for (const std::string& path : paths) {
        const TaskResult result = RunOnReader(invocation, path);
        // The line that says why a reader failed goes to the error stream, named as every
        // error line is.
        for (std::size_t i = 0; i < result.lines.size(); ++i) {
            const bool failure = result.code != ExitCode::Success && i + 1 == result.lines.size();
            // A line may hold what the reader answered (its version text).
            const std::string line =
                (invocation.all ? path + ": " : std::string()) + ReaderText(result.lines[i]) + "\n";
            if (failure)
                console.Err(kName + line);
            else
                console.Out(line);
        }
        codes.push_back(result.code);
    }
    return Code(Combined(codes));
}

}  // namespace cli
