// zp350cli's commands over the simulated HID host: a failed call's name and system error
// follow the window's text on the error line, whichever call it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cli/options.h"
#include "cli/reader_tasks.h"
#include "simulated_hid.h"

namespace {

TEST(CliTasks, TheErrorLineNamesTheFailedCallAndItsSystemError) {
    const struct {
        const char* name;
        std::function<void(SimulatedDevice&)> fault;
        cli::ExitCode code;
        std::string text;   // the window's text and the failed call
        std::string error;  // the system error at the end of the line
    } cases[] = {
        {"cannot be opened", [](SimulatedDevice& d) { d.fails = {"open"}; },
         cli::ExitCode::NoReader, "No device connected! (open failed: ", ", error 5)"},
        {"attributes unreadable", [](SimulatedDevice& d) { d.fails = {"attributes"}; },
         cli::ExitCode::NoReader, "No device connected! (attributes failed: ", ", error 31)"},
        {"write never ends", [](SimulatedDevice& d) { d.stallWrites = true; },
         cli::ExitCode::Timeout, "Send data timeout! (write failed: ", "error 258)"},
        {"no answer", [](SimulatedDevice& d) { d.answer = ""; }, cli::ExitCode::Timeout,
         "Receive data timeout! (read failed: ", "error 258)"},
        {"part of a report written", [](SimulatedDevice& d) { d.shortBy = 1; },
         cli::ExitCode::Timeout, "Send data timeout! (write failed: ", ", error 13)"},
        {"pulled out during the write", [](SimulatedDevice& d) { d.vanishInWrite = true; },
         cli::ExitCode::NoReader, "Device disconnected! (write failed: ", ", error 1167)"},
        {"pulled out during the read", [](SimulatedDevice& d) { d.vanishInRead = true; },
         cli::ExitCode::NoReader, "Device disconnected! (read failed: ", ", error 1167)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatedHid host;
        SimulatedDevice& reader = host.AddReader();
        c.fault(reader);
        const cli::TaskResult result =
            cli::RunOnReader(cli::ParseArguments({"set"}).invocation.value(), reader.path);
        EXPECT_EQ(result.code, c.code);
        ASSERT_EQ(result.lines.size(), 1u);
        const std::string& line = result.lines[0];
        EXPECT_EQ(line.substr(0, c.text.size()), c.text);
        EXPECT_GE(line.size(), c.text.size() + c.error.size()) << line;
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), c.error.size())), c.error);
    }
}

}  // namespace
