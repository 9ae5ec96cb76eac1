// The program's reader code, with the system's own HID calls, against the virtual card
// reader installed in Wine's HID stack: what only the real stack shows (report lengths,
// overlapped I/O, buffered late answers, removal, Wine's own devices). Run by scripts/e2e.sh
// in a prefix of its own; the message sequences of every odd case are tested over the
// simulated host.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

#include "cli_recorder.h"
#include "settings_window.h"
#include "res/resource.h"
#include "settings/utf8.h"
#include "swipe_window.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

namespace {

const std::wstring kVersion = L"ZP350 VR 1.0";
const Entries kFound = {Status(L"Detect device OK,ver100"), kSent, Status(kVersion),
                        InfoBox(kVersion)};
const Entries kNoReader = {Status(L"Device disconnected!"), Status(L"No device connected!")};

// The reader back to its own behaviour before the window opens and after it has gone.
struct E2eReader : SettingsWindowTest {
    E2eReader() { VirtualReader::Reset(); }
    ~E2eReader() override { VirtualReader::Reset(); }
    void Connect() {
        ASSERT_EQ(Press(IDC_FIND_DEVICE).at(0), kFound[0]);
        VirtualReader::ForgetReceived();
        Clear();
    }
};

// Wine's own mouse and keyboard are listed beside the reader; with the reader gone the walk
// opens and skips them all.
TEST_F(E2eReader, FindsTheReaderAmongWinesDevicesAndFindsItAgainAfterRemoval) {
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFound);
    EXPECT_EQ(prompts.pauses, (std::vector<DWORD>{200}));
    EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport({0x02, 0x05, 0x03})}));

    ASSERT_TRUE(VirtualReader::Remove());
    // The HID stack no longer describes a device that is gone: the command lets it go.
    EXPECT_EQ(Press(IDC_SET_DEVICE), (Entries{Status(L"No device connected!")}));
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{Status(L"No device connected!")}));
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kNoReader);
    EXPECT_EQ(Press(IDC_DISCONNECT), (Entries{Status(L"No device connected!")}));

    ASSERT_TRUE(VirtualReader::Install());
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFound);
    EXPECT_EQ(Press(IDC_FIND_DEVICE), (Entries{Status(L"Detect Device OK!")}));
    EXPECT_EQ(Press(IDC_DISCONNECT), (Entries{Status(L"Device disconnected!")}));
    VirtualReader::SetRaw(L"Version", REG_SZ, L"V2.5", 10);
    EXPECT_EQ(Press(IDC_FIND_DEVICE).back(), InfoBox(L"V2.5"));
}

// Each command's report as the reader receives it (whole 65-byte reports), and its answers.
TEST_F(E2eReader, EveryCommandSendsItsReportAndShowsTheReadersAnswer) {
    const Report format = {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0x03};
    const Report version = {0x02, 0x05, 0x03};
    const std::wstring failed = L"Set format failed!";
    const std::wstring cancelled = L"Cancle replace character command  OK!";
    const struct {
        int button;
        DWORD answer;  // 0: the reader's own 'Y' or version text; 1: none at all
        Report sent;
        Entries shown;
    } cases[] = {
        {IDC_SET_DEVICE,
         0,
         format,
         {kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")}},
        {IDC_SET_DEVICE, 'N', format, {kFormatSent, Status(failed), ErrorBox(L"ERROR", failed)}},
        {IDC_SET_DEVICE, 'X', format, {kFormatSent}},
        {IDC_SET_DEVICE, 1, format, {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}},
        {IDC_SET_REPLACE,
         0,
         {0x02, 0x31, 'a', 'x', 'b', 'y', 0x03},
         {kSent, Status(L"Set replace character OK!"), InfoBox(L"Set replace character OK!")}},
        {IDC_CANCEL_REPLACE, 0, {0x02, 0x32, 0x03}, {kSent, Status(cancelled), InfoBox(cancelled)}},
        {IDC_GET_VERSION, 0, version, {kSent, Status(kVersion), InfoBox(kVersion)}},
        {IDC_GET_VERSION, 1, version, {kSent, kReceiveFailed}},
    };
    Connect();
    EnablePair(1, L"a", L"b");
    EnablePair(2, L"x", L"y");
    for (const auto& c : cases) {
        VirtualReader::Reset();
        if (c.answer > 1)
            VirtualReader::Set(L"Answer", c.answer);
        VirtualReader::Set(L"Silent", c.answer == 1);
        EXPECT_EQ(Press(c.button), c.shown) << "button " << c.button << " answer " << c.answer;
        EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport(c.sent)}));
    }
}

// A slow answer within the read's second counts; a later one must not be taken for the next
// command's answer, even when that command is clicked before the late answer comes.
TEST_F(E2eReader, SlowAnswersCountAndLateOnesAreNotTakenForTheNext) {
    Connect();
    VirtualReader::Set(L"DelayMs", 900);
    EXPECT_EQ(Press(IDC_SET_DEVICE),
              (Entries{kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")}));
    VirtualReader::Set(L"DelayMs", 1500);
    EXPECT_EQ(Press(IDC_SET_DEVICE).back(), kFormatReceiveBox);
    VirtualReader::Set(L"DelayMs", 600);
    VirtualReader::Set(L"Answer", 'N');
    EXPECT_EQ(Press(IDC_SET_DEVICE).back(), ErrorBox(L"ERROR", L"Set format failed!"));
}

// The reader, set from the window, types a test card. Swiped into the swipe test and piped
// into zp350cli swipe, that typing matches the form; once the form has changed after "Set
// Device", both name the difference.
TEST_F(E2eReader, TheReadersTypingMatchesTheFormItWasSetWith) {
    Connect();
    VirtualReader::SetCard("B5217000000000008^TEST/CARD^2512101\n5217000000000008=2512101\n");
    SetChecked({IDC_OUTPUT_TRACK3}, false);
    EXPECT_EQ(Press(IDC_SET_DEVICE).back(), InfoBox(L"Set format OK!"));
    const std::string typed = VirtualReader::Typed();
    const std::string difference = "Track 2: the reader's start sentinel is ';', the form's is '#'";
    Piped input(typed);
    SwipeSeen seen = SwipeThroughWindow(hwnd, settings::Wide(typed));
    EXPECT_NE(seen.result.find(L"Matches the format."), std::wstring::npos) << seen.result;
    Recorder matching;
    EXPECT_EQ(cli::RunCli({"swipe", "--tracks=1,2"}, matching, input), 0) << matching.out;
    SetText(IDC_TRACK2_START, L"#");
    seen = SwipeThroughWindow(hwnd, settings::Wide(typed));
    EXPECT_NE(seen.result.find(settings::Wide(difference)), std::wstring::npos) << seen.result;
    Recorder differing;
    EXPECT_EQ(cli::RunCli({"swipe", "--tracks=1,2", "--track2-start=#"}, differing, input), 1);
    EXPECT_NE(differing.out.find(difference), std::string::npos) << differing.out;
}

// While a command waits for a silent reader, the window goes on answering: a message sent
// to it from another thread is answered within 250 ms; its command buttons are greyed, and a
// click on one of them then is dropped (only the command's own report reaches the reader).
TEST_F(E2eReader, TheWindowKeepsAnsweringWhileACommandWaits) {
    Connect();
    VirtualReader::Set(L"Silent", 1);
    std::atomic<bool> done{false};
    std::atomic<bool> finished{false};
    ULONGLONG slowest = 0;
    bool greyed = false;
    std::thread watcher([&] {
        for (int round = 0; !done; ++round) {
            const ULONGLONG sent = GetTickCount64();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer);
            slowest = std::max(slowest, GetTickCount64() - sent);
            greyed = greyed || !IsWindowEnabled(GetDlgItem(hwnd, IDC_GET_VERSION));
            if (round == 5)
                PostMessageW(GetDlgItem(hwnd, IDC_SET_DEVICE), BM_CLICK, 0, 0);
            Sleep(20);
        }
        finished = true;
    });
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, kReceiveFailed}));
    done = true;
    // A message the watcher sends now is answered here, not left waiting on the join.
    PumpUntil([&] { return finished.load(); }, 10000);
    watcher.join();
    EXPECT_LT(slowest, 250u);
    EXPECT_TRUE(greyed);
    EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport({0x02, 0x05, 0x03})}));
}

// The reader pulled out while a transfer is pending, as the system ends it.
TEST_F(E2eReader, PulledOutDuringEachTransferOfEachCommandTheReaderIsLetGoAndFoundOnceBack) {
    EnablePair(1, L"a", L"b");
    for (const UnplugCase& c : kUnplugCases) {
        SCOPED_TRACE(testing::Message()
                     << "button " << c.button << (c.duringRead ? ", read" : ", write"));
        Connect();  // found again once it is back (the first time: found at all)
        if (HasFatalFailure())
            return;
        PullOut pullOut(c.duringRead ? PullOut::During::Read : PullOut::During::Write);
        Click(hwnd, c.button);
        ASSERT_TRUE(pullOut.Join());
        EXPECT_EQ(prompts.entries, c.shown);
        VirtualReader::ForgetReceived();
        EXPECT_EQ(Press(c.button), (Entries{Status(L"No device connected!")}));
        EXPECT_TRUE(VirtualReader::Received().empty());
        ASSERT_TRUE(VirtualReader::Install());
    }
}

}  // namespace
