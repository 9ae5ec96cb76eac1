// `zp350cli watch` ended as a console ends it: Ctrl+C and Ctrl+Break stop it with exit code 0;
// the console's closing returns from its handler only once the watch has ended (the system
// ends the process right after). The handler is called as the system calls it, on another
// thread; the tests run without a console.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "cli/cli_run.h"
#include "cli/watch_command.h"
#include "cli_recorder.h"
#include "simulated_hid.h"
#include "temp_file.h"

namespace {

// Calls the handler as the system would once the watch has installed it; TRUE when it took
// the event.
BOOL SendOnceWatching(DWORD event) {
    for (int tries = 0; tries < 500; ++tries) {
        if (cli::StopWatchOnConsoleEvent(event))
            return TRUE;
        Sleep(10);
    }
    return FALSE;
}

TEST(WatchConsole, EachConsoleEventEndsTheWatch) {
    const TempFile profile(L"zp350-watch-console.zp350", "tracks = 2\n");
    for (const DWORD event : {CTRL_C_EVENT, CTRL_BREAK_EVENT, CTRL_CLOSE_EVENT}) {
        SCOPED_TRACE(event);
        SimulatedHid hid;
        Recorder console;
        Piped input("");
        int code = -1;
        std::thread watching([&] {
            code = cli::RunCli({"watch", "--profile", profile.Utf8Path()}, console, input);
        });
        EXPECT_TRUE(SendOnceWatching(event));
        // After the closing's handler returns, the system ends the process: the watch must
        // have ended by then, and its handler with it.
        if (event == CTRL_CLOSE_EVENT) {
            EXPECT_FALSE(cli::StopWatchOnConsoleEvent(CTRL_C_EVENT))
                << "the closing's handler returned while the watch ran";
        }
        watching.join();
        EXPECT_EQ(code, 0);
        EXPECT_EQ(console.err, "");
        EXPECT_FALSE(cli::StopWatchOnConsoleEvent(event)) << "the handler outlived the watch";
    }
}

}  // namespace
