// zp350cli over a simulated HID host: what it sends to each reader, byte for byte, what it
// prints and the exit code, with one reader, several, silent or refusing ones, and none.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "simulated_hid.h"

namespace {

using Answer = SimulatedDevice::Answer;
using Args = std::vector<std::string>;

const Report kDefaultFormat = {0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38, 0x03};

struct Outcome {
    int code;
    std::string out, err;
};

// Bytes 1 up to and including the end byte of each report the device was sent.
std::vector<Report> Frames(const SimulatedDevice& device) {
    std::vector<Report> frames;
    for (const Report& report : device.writes) {
        Report frame;
        for (std::size_t i = 1; i < report.size(); ++i) {
            frame.push_back(report[i]);
            if (report[i] == 0x03)
                break;
        }
        frames.push_back(frame);
    }
    return frames;
}

std::string TempFile(const char* name, const std::string& content) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
    }
    return path;
}

class Cli : public testing::Test {
protected:
    void SetUp() override { host.AddWineDevices(); }
    void TearDown() override { EXPECT_EQ(host.Problems(), std::vector<std::string>{}); }

    Outcome Call(const Args& args) {
        std::ostringstream out, err;
        const int code = cli::RunCli(args, out, err);
        return {code, out.str(), err.str()};
    }
    SimulatedDevice& Reader(Answer answer) {
        SimulatedDevice& reader = host.AddReader();
        reader.answer = answer;
        reader.versionText = "V1.0";
        return reader;
    }

    SimulatedHid host;
};

TEST_F(Cli, EachCommandSendsTheDialogsReport) {
    const struct {
        Args args;
        Report frame;
        const char* out;
    } cases[] = {
        {{"set"}, kDefaultFormat, "Set format OK!\n"},
        {{"defaults"}, kDefaultFormat, "Set format OK!\n"},
        {{"set", "--tracks=2", "--cr=none"},
         {0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x32, 0x30, 0x03},
         "Set format OK!\n"},
        {{"set", "--tracks=1,3", "--cr=1,3", "--track2-end="},
         {0x02, 0x30, 0x25, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x35, 0x35, 0x03},
         "Set format OK!\n"},
        {{"replace", "=b"}, {}, ""},  // refused before anything is sent
        {{"replace", "a=b", "x=y"},
         {0x02, 0x31, 0x61, 0x78, 0x62, 0x79, 0x03},
         "Set replace character OK!\n"},
        {{"cancel-replace"}, {0x02, 0x32, 0x03}, "Cancle replace character command  OK!\n"},
    };
    for (const auto& c : cases) {
        SimulatedHid local;
        SimulatedDevice& reader = local.AddReader();
        const Outcome run = Call(c.args);
        if (c.frame.empty()) {
            EXPECT_EQ(run.code, 4) << c.args[0];
            EXPECT_TRUE(reader.writes.empty());
            EXPECT_EQ(reader.openCount, 0);
            continue;
        }
        EXPECT_EQ(run.code, 0) << c.args[0] << run.err;
        EXPECT_EQ(run.out, c.out);
        ASSERT_EQ(Frames(reader).size(), 1u) << c.args[0];
        EXPECT_EQ(Frames(reader)[0], c.frame) << c.args[0];
        EXPECT_EQ(reader.writes[0].size(), 65u);
    }
}

TEST_F(Cli, ExitCodesFollowTheAnswer) {
    const struct {
        Answer answer;
        int code;
        const char* out;
        const char* err;
    } cases[] = {
        {Answer::Yes, 0, "Set format OK!\n", ""},
        {Answer::No, 1, "", "Set format failed!\n"},
        {Answer::Silent, 3, "", "Receive data timeout\n"},
        {Answer::Byte, 6, "", "The reader answered neither 'Y' nor 'N'\n"},
    };
    for (const auto& c : cases) {
        SimulatedHid local;
        local.AddReader().answer = c.answer;
        const Outcome run = Call({"set"});
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
    const Outcome none = Call({"version"});  // only Wine's own devices
    EXPECT_EQ(none.code, 2);
    EXPECT_EQ(none.err, "zp350cli: No device connected!\n");
}

TEST_F(Cli, ApplySendsFormatThenReplacements) {
    SimulatedDevice& reader = Reader(Answer::Yes);
    const std::string path =
        TempFile("zp350-profile.txt", "# tills\ntracks = 2\ncr = none\nreplace = a=b\n");
    Outcome run = Call({"apply", path});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Set format OK!\nSet replace character OK!\n");
    EXPECT_EQ(
        Frames(reader),
        (std::vector<Report>{{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x32, 0x30, 0x03},
                             {0x02, 0x31, 0x61, 0xFF, 0x62, 0xFF, 0x03}}));

    // A profile without replacements cancels them; a written profile reads back the same.
    const std::string written = TempFile("zp350-written.txt", "");
    run = Call({"profile", "--tracks=1", "--output", written});
    EXPECT_EQ(run.code, 0) << run.err;
    reader.writes.clear();
    run = Call({"apply", written});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(
        Frames(reader),
        (std::vector<Report>{{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x31, 0x38, 0x03},
                             {0x02, 0x32, 0x03}}));
    DeleteFileA(path.c_str());
    DeleteFileA(written.c_str());
}

TEST_F(Cli, BadInputSendsNothing) {
    SimulatedDevice& reader = Reader(Answer::Yes);
    const std::string notProfile = TempFile("zp350-binary.bin", std::string("MZ\x90\0\x03", 5));
    const std::string large = TempFile("zp350-large.txt", std::string(70000, '#'));
    const std::string refused = TempFile("zp350-refused.txt", "tracks = 1\ncr = packet,1\n");
    const struct {
        Args args;
        std::string err;
    } cases[] = {
        {{"set", "--track1-start=ab"},
         "zp350cli: --track1-start: \"ab\" is more than one character\n"},
        {{"set", "--tracks=4"},
         "zp350cli: --tracks: \"4\" is not a track: tracks are 1, 2 and 3\n"},
        {{"set", "--speed=9"}, "zp350cli: unknown option \"--speed\"\n"},
        {{"apply", notProfile},
         "zp350cli: " + notProfile + ": line 1: not UTF-8 text: not a profile\n"},
        {{"apply", large}, "zp350cli: " + large + ": larger than 64 KiB: not a profile\n"},
        {{"apply", refused},
         "zp350cli: " + refused +
             ": line 2: cr: Notice: “Output (CR) flag at the end of packet” and“Output (CR) flag "
             "at the end of Track X”， they cann't be selected at the same time\n"},
        {{"apply", "Z:\\no\\such\\profile.txt"},
         "zp350cli: Z:\\no\\such\\profile.txt: cannot be read\n"},
    };
    for (const auto& c : cases) {
        const Outcome run = Call(c.args);
        EXPECT_EQ(run.code, 4) << c.args[0];
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(reader.writes.empty());
    EXPECT_EQ(reader.openCount, 0);
    for (const std::string& path : {notProfile, large, refused})
        DeleteFileA(path.c_str());
}

TEST_F(Cli, SeveralReaders) {
    SimulatedDevice& first = Reader(Answer::Version);
    SimulatedDevice& second = Reader(Answer::Version);
    second.versionText = "V2.5";
    second.versionNumber = 0x020A;

    Outcome run = Call({"list"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, first.path + "  5131:2007  ver100  V1.0\n" + second.path +
                           "  5131:2007  ver20A  V2.5\n");
    run = Call({"list", "--json"});
    EXPECT_NE(run.out.find("\"versionNumber\": 522, \"versionText\": \"V2.5\"}\n]\n"),
              std::string::npos)
        << run.out;

    // Without --all or --path a command refuses and names the readers; nothing is sent.
    first.writes.clear();
    second.writes.clear();
    run = Call({"set"});
    EXPECT_EQ(run.code, 4);
    EXPECT_EQ(run.err, "zp350cli: 2 readers are connected; pick one with --path or use --all:\n  " +
                           first.path + "\n  " + second.path + "\n");
    EXPECT_TRUE(first.writes.empty() && second.writes.empty());

    run = Call({"version", "--path", second.path});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "V2.5\n");
    EXPECT_TRUE(first.writes.empty());
    run = Call({"version", "--path", "\\\\?\\hid#nothing"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "zp350cli: no reader at \\\\?\\hid#nothing\n");
}

TEST_F(Cli, AllWithOneSilentReaderIsPartlyDone) {
    SimulatedDevice& first = Reader(Answer::Yes);
    SimulatedDevice& silent = Reader(Answer::Silent);
    SimulatedDevice& third = Reader(Answer::Yes);
    const Outcome run = Call({"--all", "set", "--tracks=1"});
    EXPECT_EQ(run.code, 5);
    EXPECT_EQ(run.out, first.path + ": Set format OK!\n" + third.path + ": Set format OK!\n");
    EXPECT_EQ(run.err, silent.path + ": Receive data timeout\n");
    for (SimulatedDevice* reader : {&first, &silent, &third})
        EXPECT_EQ(Frames(*reader), (std::vector<Report>{{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B,
                                                         0x3F, 0x31, 0x38, 0x03}}));

    silent.answer = Answer::No;
    EXPECT_EQ(Call({"--all", "cancel-replace"}).code, 5);
    first.answer = third.answer = Answer::No;
    EXPECT_EQ(Call({"--all", "cancel-replace"}).code, 1);
}

TEST_F(Cli, HelpListsTheExitCodes) {
    const Outcome run = Call({"--help"});
    EXPECT_EQ(run.code, 0);
    for (const char* line : {"  0  success\n", "  1  the reader refused ('N')\n",
                             "  5  partly done (--all): some readers done, others not\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
}

}  // namespace
