// zp350cli's commands (cli::RunCli, as the program runs them) against virtual card readers
// with the system's own HID calls: each command's reports as the reader records them, its
// answers as exit codes, no reader, bad input reaching no reader, two readers at once, and
// each command's time (printed for the README).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "cli_recorder.h"
#include "cli/swipe_input.h"
#include "settings/system_reason.h"
#include "temp_file.h"
#include "virtual_reader.h"

namespace {

using Args = std::vector<std::string>;
const Report kDefaultFormat = {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0x03};
const Report kTrack1Format = {0x02, 0x30, '%', '?', ';', '?', '+', '?', '1', '8', 0x03};
const Report kCancel = {0x02, 0x32, 0x03};
// What a silent reader's read ends with.
const std::string kReadTimedOut = " (read failed: " + settings::SystemReason(WAIT_TIMEOUT) + ")";
// The one wording of an answer that did not come, as every error line begins.
const std::string kReceiveTimeout = "zp350cli: Receive data timeout!";
const std::string kFormatted = "Set format OK!\n", kReplaced = "Set replace character OK!\n",
                  kCancelled = "Cancel replace character command OK!\n";

std::string Joined(const Args& args) {
    std::string text = "zp350cli";
    for (const std::string& arg : args)
        text += " " + arg;
    return text;
}

struct Outcome {
    int code;
    std::string out, err;
};

// Everything a script sees: the exit code and both streams.
void ExpectOutcome(const Outcome& run, int code, const std::string& out, const std::string& err) {
    EXPECT_EQ(run.code, code);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.err, err);
}

// Runs the command as the program does, with `piped` on its standard input (what swipe
// reads), and prints its time (for the README).
Outcome Call(const Args& args, const std::string& piped = "") {
    Recorder console;
    Piped input(piped);
    const auto start = std::chrono::steady_clock::now();
    const int code = cli::RunCli(args, console, input);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    std::printf("timing: %-50s exit %d %6.0f ms\n", Joined(args).c_str(), code, took.count());
    return {code, console.out, console.err};
}

struct CliE2e : testing::Test {
    CliE2e() { VirtualReader::Reset(); }
    ~CliE2e() override { VirtualReader::Reset(); }
};

// Each command's reports as the reader records them, and the reader's answers as exit codes.
TEST_F(CliE2e, CommandsAndAnswers) {
    const TempFile profile(L"zp350-e2e-profile.txt", "tracks = 2\ncr = none\nreplace = a=b\n");
    const TempFile written(L"zp350-e2e-written.txt", "");
    const struct {
        Args args;
        std::vector<Report> received;
        std::string out;
        DWORD answer = 0;  // 0: the reader's own; 1: none at all
        int code = 0;
        std::string err = "";
    } cases[] = {
        {{"version"}, {{0x02, 0x05, 0x03}}, "ZP350 VR 1.0\n"},
        {{"set", "--tracks=1,3", "--cr=1,3", "--track2-end="},
         {{0x02, 0x30, '%', '?', ';', 0xFF, '+', '?', '5', '5', 0x03}},
         "Set format OK!\n"},
        {{"defaults"}, {kDefaultFormat}, "Set format OK!\n"},
        {{"replace", "a=b", "x=y"}, {{0x02, 0x31, 'a', 'x', 'b', 'y', 0x03}}, kReplaced},
        {{"cancel-replace"}, {kCancel}, kCancelled},
        // A written profile reads back the same; one without replacements cancels them.
        {{"profile", "--tracks=1", "--output", written.Utf8Path()}, {}, ""},
        {{"apply", written.Utf8Path()}, {kTrack1Format, kCancel}, kFormatted + kCancelled},
        {{"apply", profile.Utf8Path()},
         {{0x02, 0x30, '%', '?', ';', '?', '+', '?', '2', '0', 0x03},
          {0x02, 0x31, 'a', 0xFF, 'b', 0xFF, 0x03}},
         kFormatted + kReplaced},
        {{"set"}, {kDefaultFormat}, "", 'N', 1, "zp350cli: Set format failed!\n"},
        {{"set"}, {kDefaultFormat}, "", 1, 3, kReceiveTimeout + kReadTimedOut + "\n"},
        {{"set"},
         {kDefaultFormat},
         "",
         'X',
         6,
         "zp350cli: The reader answered neither 'Y' nor 'N'\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        VirtualReader::ForgetReceived();
        if (c.answer > 1)
            VirtualReader::Set(L"Answer", c.answer);
        VirtualReader::Set(L"Silent", c.answer == 1);
        ExpectOutcome(Call(c.args), c.code, c.out, c.err);
        std::vector<Report> expected;
        for (const Report& frame : c.received)
            expected.push_back(FullReport(frame));
        EXPECT_EQ(VirtualReader::Received(), expected);
        if (c.args[0] == "apply") {  // what the reader keeps: the profile's format
            EXPECT_EQ(VirtualReader::Kept(L"Format"), Report(&expected[0][3], &expected[0][11]));
        }
    }
    EXPECT_EQ(VirtualReader::Kept(L"Replace"),
              (Report{'a', 0xFF, 'b', 0xFF}));  // the last profile's
}

// What the reader types for a card once set has given it a format: tracks 1 and 2 with
// track 2 ending without a sentinel, a carriage return after each of them. `swipe` finds it
// matching that format, and names what differs from another. Another card is typed with
// that format at the next report.
TEST_F(CliE2e, TheReaderTypesTheCardAsSetAsksIt) {
    VirtualReader::SetCard("B4000123412341234^TEST/CARD^2512101\n4000123412341234=2512101\n");
    ExpectOutcome(Call({"set", "--tracks=1,2", "--cr=1,2", "--track2-end="}), 0, kFormatted, "");
    const std::string typed = VirtualReader::Typed();
    EXPECT_EQ(typed, "%B4000123412341234^TEST/CARD^2512101?\r;4000123412341234=2512101\r");
    ExpectOutcome(Call({"swipe", "--tracks=1,2", "--cr=1,2", "--track2-end="}, typed), 0,
                  "Track 1: %B400012******1234^TEST/CARD^*******?\n"
                  "Track 2: ;400012******1234=*******\n"
                  "Matches the format.\n",
                  "");
    ExpectOutcome(Call({"swipe", "--tracks=1,2", "--cr=1,2"}, typed), 1,
                  "Track 1: %B400012******1234^TEST/CARD^*******?\n"
                  "Track 2: ;400012******1234=*******\n"
                  "Differs from the format:\n"
                  "Track 2: the reader sends no end sentinel, the form's is '?'\n",
                  "");
    VirtualReader::SetCard("\n4000123412341234=2512101\n");
    ExpectOutcome(Call({"version"}), 0, "ZP350 VR 1.0\n", "");
    EXPECT_EQ(VirtualReader::Typed(), "%?\r;4000123412341234=2512101\r");
}

// A reader slow to answer: the command times out, and its late answer is not taken for the
// next command's, even when that one starts at once.
TEST_F(CliE2e, ALateAnswerIsNotTakenForTheNextCommand) {
    VirtualReader::Set(L"DelayMs", 1500);
    ExpectOutcome(Call({"set"}), 3, "", kReceiveTimeout + kReadTimedOut + "\n");
    VirtualReader::Set(L"DelayMs", 600);
    VirtualReader::Set(L"Answer", 'N');
    ExpectOutcome(Call({"set", "--tracks=2"}), 1, "", "zp350cli: Set format failed!\n");
}

// What the reader tells reaches the console escaped, on one line: in the version command's
// line and the listing's (its JSON: natively).
TEST_F(CliE2e, TheReadersVersionTextIsShownEscaped) {
    const wchar_t version[] = L"V1\n\x1b[2J\x7f\xe9";
    VirtualReader::SetRaw(L"Version", REG_SZ, version, sizeof(version));
    const std::string shown = "V1\\n\\x1b[2J\\x7f\\xe9";
    ExpectOutcome(Call({"version"}), 0, shown + "\n", "");
    const std::string line = Call({"list"}).out;
    EXPECT_EQ(line.substr(line.find("  ver")), "  ver100  " + shown + "\n");
}

TEST_F(CliE2e, NoReader) {
    ASSERT_TRUE(VirtualReader::Remove());
    ExpectOutcome(Call({"version"}), 2, "", "zp350cli: No device connected!\n");
    EXPECT_EQ(Call({"--all", "cancel-replace"}).code, 2);
    ASSERT_TRUE(VirtualReader::Install());
}

// The reader pulled out while the command's write or read is pending: the error line names
// the call and the system's error. Windows ends both with 1167; Wine ends the write with the
// driver's 1167 and the pending read with 5 (2 once the device object is gone).
TEST_F(CliE2e, PulledOutTheErrorLineNamesTheCallAndTheSystemError) {
    const struct {
        const char* name;
        PullOut::During when;
        std::string call;
        std::vector<std::string> errors;
    } cases[] = {
        {"during the write", PullOut::During::Write, "write", {"1167"}},
        {"during the read", PullOut::During::Read, "read", {"1167", "5", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PullOut pullOut(c.when);
        const Outcome run = Call({"set"});
        ASSERT_TRUE(pullOut.Join());
        EXPECT_EQ(run.code, 2);
        const std::string start = "zp350cli: Device disconnected! (" + c.call + " failed: ";
        EXPECT_EQ(run.err.substr(0, start.size()), start) << run.err;
        const std::size_t at = run.err.rfind(", error ");
        const std::string error =
            at == std::string::npos ? "" : run.err.substr(at + 8, run.err.size() - at - 10);
        EXPECT_NE(std::find(c.errors.begin(), c.errors.end(), error), c.errors.end()) << run.err;
        ASSERT_TRUE(VirtualReader::Install());
    }
}

// Bad input reaches no reader: one case of each kind, an option, a profile's line, a file
// too large to read whole and one that cannot be read. The texts of the options' and the
// profiles' refusals are checked natively (tests/native/cli_test.cpp).
TEST_F(CliE2e, BadInputReachesNoReader) {
    const TempFile large(L"zp350-large.txt", std::string(70000, '#'));
    const TempFile refused(L"zp350-refused.txt", "tracks = 1\ncr = 5\n");
    const struct {
        Args args;
        std::string err = "";
    } cases[] = {
        {{"set", "--speed=9"}, "unknown option \"--speed\""},
        {{"apply", large.Utf8Path()}, large.Utf8Path() + ": larger than 64 KiB: not a profile"},
        {{"apply", refused.Utf8Path()},
         refused.Utf8Path() + ": line 2: cr: \"5\" is not packet, none or a track 1, 2 or 3"},
        {{"apply", "Z:\\no\\such\\profile.txt"},
         "Z:\\no\\such\\profile.txt: cannot be read (path not found, error 3)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        ExpectOutcome(Call(c.args), 4, "", "zp350cli: " + c.err + "\n");
    }
    EXPECT_EQ(VirtualReader::Received(), std::vector<Report>{});
}

// A second reader plugged in beside the first: a command needing one reader refuses and
// names both, --path picks one, and --all with the second one silent is partly done while
// the first is configured.
TEST_F(CliE2e, TwoReaders) {
    ASSERT_TRUE(VirtualReader::Install(1));
    VirtualReader::Reset(1);
    Outcome run = Call({"list"});
    const std::size_t firstStart = std::string("1  ").size();
    const std::string first =
        run.out.substr(firstStart, run.out.find("  ", firstStart) - firstStart);
    const std::size_t secondStart = run.out.find('\n') + 1 + firstStart;
    const std::string second = run.out.substr(secondStart, first.size());
    EXPECT_EQ(run.out, "1  " + first + "  5131:2007  ver100  ZP350 VR 1.0\n2  " + second +
                           "  5131:2007  ver100  ZP350 VR 1.0\n");
    VirtualReader::Reset(0);  // forgets the version queries of the listing
    VirtualReader::Reset(1);
    ExpectOutcome(Call({"set"}), 4, "",
                  "zp350cli: 2 readers are connected; pick one with --reader N (its number "
                  "below), --path \"PATH\" (in quotes) or use --all:\n  1  " +
                      first + "\n  2  " + second + "\n");
    EXPECT_EQ(Call({"cancel-replace", "--path", second}).out, kCancelled);
    EXPECT_EQ(Call({"cancel-replace", "--reader", "2"}).out, kCancelled);
    EXPECT_EQ(Call({"version", "--reader", "3"}).err,
              "zp350cli: no reader number 3: 2 readers are connected (see list)\n");
    EXPECT_EQ(Call({"version", "--path", "\\\\?\\hid#nothing"}).err,
              "zp350cli: no reader at \\\\?\\hid#nothing\n");
    EXPECT_EQ(VirtualReader::Received(0), std::vector<Report>{});
    EXPECT_EQ(VirtualReader::Received(1),
              (std::vector<Report>{FullReport(kCancel), FullReport(kCancel)}));

    VirtualReader::Reset(0);
    VirtualReader::Reset(1);
    VirtualReader::Set(L"Silent", 1, 1);
    ExpectOutcome(Call({"--all", "set", "--tracks=1"}), 5, first + ": Set format OK!\n",
                  "zp350cli: " + second + ": Receive data timeout!" + kReadTimedOut + "\n");
    for (int reader : {0, 1})
        EXPECT_EQ(VirtualReader::Received(reader), std::vector<Report>{FullReport(kTrack1Format)});
    EXPECT_EQ(VirtualReader::Kept(L"Format"), Report(&kTrack1Format[2], &kTrack1Format[10]));
    EXPECT_TRUE(VirtualReader::Remove(1));
}

}  // namespace
