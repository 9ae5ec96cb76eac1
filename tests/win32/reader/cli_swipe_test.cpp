// zp350cli swipe from a pipe or a file, as cli::RunCli runs it: the input decoded or refused in
// one line, its swipes checked in turn, and every line it prints masked, error lines too.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_recorder.h"
#include "swipe/input_text.h"
#include "temp_file.h"

namespace {

const std::string kMatching = "%B4000123412341234^TEST/CARD^2512101?;4000123412341234=2512101?+?";
const std::string kShown =
    "Track 1: %B400012******1234^TEST/CARD^*******?\n"
    "Track 2: ;400012******1234=*******?\n"
    "Track 3: no data on track 3\n";

std::string Utf16WithMark(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(CliSwipe, FromAPipe) {
    const TempFile folder(L"zp350-swipe-folder");
    CreateDirectoryW(folder.path.c_str(), nullptr);
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string piped;
        int code;
        std::string out;
        std::string err;
    } cases[] = {
        {"one swipe", {"swipe"}, kMatching + "\n", 0, kShown + "Matches the format.\n", ""},
        {"Notepad's UTF-8 with its byte-order mark",
         {"swipe"},
         "\xEF\xBB\xBF" + kMatching + "\r\n",
         0,
         kShown + "Matches the format.\n",
         ""},
        {"Notepad's Unicode",
         {"swipe"},
         Utf16WithMark(kMatching + "\r\n"),
         0,
         kShown + "Matches the format.\n",
         ""},
        {"two swipes, the second differing",
         {"swipe"},
         kMatching + "\n\n#" + kMatching.substr(1) + "\n",
         1,
         "Swipe 1 of 2:\n" + kShown + "Matches the format.\n\nSwipe 2 of 2:\nTrack 1: #" +
             kShown.substr(10) +
             "Differs from the format:\nTrack 1: the reader's start sentinel is '#', the form's is "
             "'%'\n",
         ""},
        {"one per line, track 3 not typed",
         {"swipe"},
         kMatching + "\n" + kMatching.substr(0, kMatching.size() - 2) + "\n",
         7,
         "Swipe 1 of 2:\n" + kShown + "Matches the format.\n\nSwipe 2 of 2:\n" + kShown +
             "Agrees with the format as far as this swipe shows:\nTrack 3: nothing came for it; "
             "a card without track 3 types the same, so whether the reader outputs it was not "
             "seen.\n",
         ""},
        {"an empty line", {"swipe"}, "\n", 3, "", "zp350cli: standard input holds no swipe\n"},
        {"more than 64 KiB",
         {"swipe"},
         std::string(swipe::kMaxInputBytes + 1, '\n'),
         4,
         "",
         "zp350cli: standard input holds more than 64 KiB: no swipe is that long\n"},
        {"UTF-16 cut in a character",
         {"swipe"},
         Utf16WithMark(kMatching) + "%",
         4,
         "",
         "zp350cli: standard input is UTF-16 (little-endian) that is not well formed: no "
         "swipe\n"},
        {"a card number pasted as an argument",
         {"5217 0000 0000 0008"},
         "",
         4,
         "",
         "zp350cli: unknown command \"**** **** **** ****\" (see --help)\n"},
        {"in full when asked, error lines still masked",
         {"swipe", "--show-all", "--track1-start=5217000000000008"},
         "",
         4,
         "",
         "zp350cli: --track1-start: \"****************\" is more than one character\n"},
        {"a folder for a profile",
         {"swipe", "--profile", folder.Utf8Path()},
         "",
         4,
         "",
         "zp350cli: " + folder.Utf8Path() + ": a folder, not a profile\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder console;
        Piped input(c.piped);
        EXPECT_EQ(cli::RunCli(c.args, console, input), c.code);
        EXPECT_EQ(console.out, c.out);
        EXPECT_EQ(console.err, c.err);
    }
    RemoveDirectoryW(folder.path.c_str());
}

TEST(CliSwipe, TheCompanionTellsItsVersion) {
    Recorder console;
    EXPECT_EQ(cli::RunCli({"--version"}, console), 0);
    EXPECT_EQ(console.out, sizeof(void*) == 8 ? "zp350cli " ZP350_VERSION " (64-bit)\n"
                                              : "zp350cli " ZP350_VERSION " (32-bit)\n");
}

}  // namespace
