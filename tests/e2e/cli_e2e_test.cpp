// zp350cli's commands, with the system's own HID calls, against the virtual card reader in
// Wine's HID stack: the reports the reader records, its answers as exit codes, and how long
// each command takes (printed for the README).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "virtual_reader.h"

namespace {

using Args = std::vector<std::string>;
const Report kDefaultFormat = {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0x03};

struct Outcome {
    int code;
    std::string out, err;
    double ms;
};

Outcome Call(const Args& args) {
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    const int code = cli::RunCli(args, out, err);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return {code, out.str(), err.str(), took.count()};
}

std::string Joined(const Args& args) {
    std::string text = "zp350cli";
    for (const std::string& arg : args)
        text += " " + arg;
    return text;
}

std::string ProfileFile(const std::string& text) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "zp350-e2e-profile.txt";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    return path;
}

class CliE2e : public testing::Test {
protected:
    void SetUp() override { VirtualReader::Reset(); }
    void TearDown() override { VirtualReader::Reset(); }
};

TEST_F(CliE2e, EachCommandsReportAsTheReaderRecordsIt) {
    const std::string profile = ProfileFile("tracks = 2\ncr = none\nreplace = a=b\n");
    const struct {
        Args args;
        std::vector<Report> received;
        const char* out;
    } cases[] = {
        {{"version"}, {{0x02, 0x05, 0x03}}, "ZP350 VR 1.0\n"},
        {{"set", "--tracks=1,3", "--cr=1,3", "--track2-end="},
         {{0x02, 0x30, '%', '?', ';', 0xFF, '+', '?', '5', '5', 0x03}},
         "Set format OK!\n"},
        {{"defaults"}, {kDefaultFormat}, "Set format OK!\n"},
        {{"replace", "a=b", "x=y"},
         {{0x02, 0x31, 'a', 'x', 'b', 'y', 0x03}},
         "Set replace character OK!\n"},
        {{"cancel-replace"}, {{0x02, 0x32, 0x03}}, "Cancle replace character command  OK!\n"},
        {{"apply", profile},
         {{0x02, 0x30, '%', '?', ';', '?', '+', '?', '2', '0', 0x03},
          {0x02, 0x31, 'a', 0xFF, 'b', 0xFF, 0x03}},
         "Set format OK!\nSet replace character OK!\n"},
    };
    for (const auto& c : cases) {
        VirtualReader::ForgetReceived();
        const Outcome run = Call(c.args);
        EXPECT_EQ(run.code, 0) << Joined(c.args) << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << Joined(c.args);
        std::vector<Report> expected;
        for (const Report& frame : c.received)
            expected.push_back(FullReport(frame));
        EXPECT_EQ(VirtualReader::Received(), expected) << Joined(c.args);
        std::printf("timing: %-50s %6.0f ms\n", Joined(c.args).c_str(), run.ms);
    }
    // What the reader keeps after the profile: its format and its replacement.
    EXPECT_EQ(VirtualReader::Format(), (Report{'%', '?', ';', '?', '+', '?', '2', '0'}));
    EXPECT_EQ(VirtualReader::Replace(), (Report{'a', 0xFF, 'b', 0xFF}));
    DeleteFileA(profile.c_str());
}

TEST_F(CliE2e, AnswersBecomeExitCodes) {
    const struct {
        const char* name;
        DWORD answer;  // 0: the reader's own
        bool silent;
        int code;
        const char* err;
    } cases[] = {
        {"accepted", 0, false, 0, ""},
        {"refused", 'N', false, 1, "Set format failed!\n"},
        {"silent", 0, true, 3, "Receive data timeout\n"},
        {"other answer", 'X', false, 6, "The reader answered neither 'Y' nor 'N'\n"},
    };
    for (const auto& c : cases) {
        VirtualReader::Reset();
        if (c.answer != 0)
            VirtualReader::SetAnswer(c.answer);
        VirtualReader::SetSilent(c.silent);
        const Outcome run = Call({"set"});
        EXPECT_EQ(run.code, c.code) << c.name;
        EXPECT_EQ(run.err, c.err) << c.name;
        EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport(kDefaultFormat)}))
            << c.name;
        std::printf("timing: set, reader %-35s %6.0f ms\n", c.name, run.ms);
    }
}

TEST_F(CliE2e, ListAllAndNoReader) {
    Outcome run = Call({"list"});
    EXPECT_EQ(run.code, 0);
    const std::size_t gap = run.out.find("  ");
    ASSERT_NE(gap, std::string::npos) << run.out;
    const std::string path = run.out.substr(0, gap);
    EXPECT_EQ(run.out, path + "  5131:2007  ver100  ZP350 VR 1.0\n");
    std::printf("timing: %-50s %6.0f ms\n", "zp350cli list", run.ms);

    VirtualReader::ForgetReceived();
    run = Call({"--all", "set", "--tracks=1"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, path + ": Set format OK!\n");
    run = Call({"version", "--path", path});
    EXPECT_EQ(run.out, "ZP350 VR 1.0\n");

    ASSERT_TRUE(VirtualReader::Remove());
    run = Call({"version"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "zp350cli: No device connected!\n");
    run = Call({"--all", "cancel-replace"});
    EXPECT_EQ(run.code, 2);
    std::printf("timing: %-50s %6.0f ms\n", "zp350cli version (no reader)", run.ms);
    ASSERT_TRUE(VirtualReader::Install());
    EXPECT_EQ(Call({"version"}).code, 0);
}

}  // namespace
