// The settings window's profiles and the companion's against the virtual card reader: a setup
// made in one and carried by a profile file makes the other send the same reports.
#include <windows.h>

#include <string>
#include <vector>

#include "cli_recorder.h"
#include "res/resource.h"
#include "settings_window.h"
#include "temp_file.h"
#include "virtual_reader.h"

namespace {

struct ProfileRoundTrip : SettingsWindowTest {
    ProfileRoundTrip() { VirtualReader::Reset(); }
    ~ProfileRoundTrip() override { VirtualReader::Reset(); }
    // The companion's command with the profile file last; the reports the reader received.
    std::vector<Report> Companion(std::vector<std::string> args) {
        VirtualReader::ForgetReceived();
        args.push_back(profile.Utf8Path());
        Recorder console;
        EXPECT_EQ(cli::RunCli(args, console), 0) << console.err;
        return VirtualReader::Received();
    }
    // "Set Device", then "Replace original character", found and let go around them.
    std::vector<Report> WindowSends() {
        Press(IDC_FIND_DEVICE);
        VirtualReader::ForgetReceived();
        Press(IDC_SET_DEVICE);
        Press(IDC_SET_REPLACE);
        Press(IDC_DISCONNECT);
        return VirtualReader::Received();
    }
    // The entry done with the profile's file; the status line names it, nothing else shows.
    void SystemCommand(WPARAM command, const wchar_t* done) {
        prompts.fileAnswer = profile.path;
        SendMessageW(hwnd, WM_SYSCOMMAND, command, 0);
        EXPECT_EQ(prompts.entries, (Entries{Status(done + std::wstring(L"round trip.zp350"))}));
    }

    const TempFile profile{L"round trip.zp350"};
};

// A setup made in the window and saved, applied by the companion: the same two reports.
TEST_F(ProfileRoundTrip, TheCompanionAppliesWhatTheWindowSaved) {
    SetChecked({IDC_OUTPUT_TRACK2, IDC_CR_PACKET}, false);
    SetChecked({IDC_CR_TRACK3}, true);
    SetText(IDC_TRACK1_START, L"A");
    SetText(IDC_TRACK2_END, L"");
    EnablePair(2, L"a", L"x");
    const std::vector<Report> window = WindowSends();
    ASSERT_EQ(window.size(), 2u);
    EXPECT_EQ(window[0], FullReport({0x02, 0x30, 'A', '?', ';', 0xFF, '+', '?', '5', '1', 0x03}));
    EXPECT_EQ(window[1], FullReport({0x02, 0x31, 0xFF, 'a', 0xFF, 'x', 0x03}));
    Clear();
    SystemCommand(IDM_SAVE_PROFILE, L"Profile saved: ");
    EXPECT_EQ(Companion({"apply"}), window);
}

// A profile the companion wrote, loaded into the window: the window sends what `apply` sends.
TEST_F(ProfileRoundTrip, TheWindowSendsWhatTheCompanionsProfileHolds) {
    const std::vector<Report> written =
        Companion({"profile", "--tracks=2,3", "--cr=none", "--track3-start=!",
                   "--track1-end=", "--replace=#=$ k=l", "--output"});
    EXPECT_TRUE(written.empty());
    const std::vector<Report> companion = Companion({"apply"});
    ASSERT_EQ(companion.size(), 2u);
    EXPECT_EQ(companion[0],
              FullReport({0x02, 0x30, '%', 0xFF, ';', '?', '!', '?', '6', '0', 0x03}));
    EXPECT_EQ(companion[1], FullReport({0x02, 0x31, '#', 'k', '$', 'l', 0x03}));
    SystemCommand(IDM_LOAD_PROFILE, L"Profile loaded: ");
    EXPECT_EQ(WindowSends(), companion);
}

}  // namespace
