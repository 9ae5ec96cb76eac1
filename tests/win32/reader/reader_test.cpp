// The reader commands, Find Device and Disconnect through the settings window over the
// simulated HID host: what the virtual reader in Wine's own stack (tests/e2e) cannot show:
// failing calls, odd report lengths, a transfer that never ends, Windows' removal error.
#include <cstddef>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "reader/turn_name.h"
#include "settings_window.h"

namespace {

const std::string kYes("\0\0Y", 3), kNo("\0\0N", 3), kVersion("\x02\x05V1.0\x03");
const Entries kNoLink = {Status(L"No device connected!")};
const Entries kFound = {Status(L"Detect device OK,ver100"), kSent, Status(L"V1.0"),
                        InfoBox(L"V1.0")};

// The window over a simulated host with a reader, left with nothing held but on purpose.
struct Reader : SettingsWindowTest {
    void TearDown() override {  // the link released too
        dialog.reset();
        ExpectHeld(0);
    }
    void ExpectHeld(int devices) { EXPECT_EQ(host.Problems(devices, leakedEvents), ""); }
    // Finds the reader (plugged back in), which then answers 'Y'; forgets what that showed.
    void Connect() {
        reader.present = true;
        reader.answer = kVersion;
        EXPECT_EQ(Press(IDC_FIND_DEVICE), kFound);
        ExpectHeld(1);
        reader.answer = kYes;
        reader.writes.clear();
        Clear();
    }

    SimulatedHid host;
    SimulatedDevice& reader = host.AddReader();
    int leakedEvents = 0;
};

// What each command shows, in order, for each answer and fault of the reader and each refusal
// of the form, and which choices of the form reach the report (bytes 1 to the end byte, where
// given). A command refused before its report goes out sends nothing; none loses the link.
TEST_F(Reader, EachCommandShowsTheTextsOfEachOutcomeInOrder) {
    const auto said = [](const std::wstring& text, const std::wstring& sent = kSent) {
        return Entries{sent, Status(text), InfoBox(text)};
    };
    const std::wstring cancelled = L"Cancle replace character command  OK!";
    const Entries unsupported = {Status(L"Device report length not supported!")};
    const Entries noDescription = {Status(L"Could not get HID preparsed data!")};
    const Entries formatFailed = {kFormatSent, Status(L"Set format failed!"),
                                  ErrorBox(L"ERROR", L"Set format failed!")};
    const Entries formatOk = said(L"Set format OK!", kFormatSent);
    SimulatedDevice& r = reader;
    const auto noChange = [] {};
    const struct {
        const char* name;
        std::function<void()> set;
        int button;
        Entries shown;
        Report frame = {};  // bytes 1 to the end byte of the report sent, where given
    } cases[] = {
        {"format of every choice",
         [&] {
             SetChecked({IDC_CR_PACKET, IDC_OUTPUT_TRACK2}, false);
             SetChecked({IDC_CR_TRACK1, IDC_CR_TRACK3}, true);
             SetText(IDC_TRACK2_END, L"");
             SetText(IDC_TRACK1_START, L"A");
             SetText(IDC_TRACK3_END, L"e");
         },
         IDC_SET_DEVICE,
         formatOk,
         {0x02, '0', 'A', '?', ';', 0xFF, '+', 'e', '5', '5', 0x03}},
        {"a sentinel the reader cannot type", [&] { SetText(IDC_TRACK1_END, L"\u00e9"); },
         IDC_SET_DEVICE,
         Refused(L"Track 1 end sentinel: \"\u00e9\" is not a plain ASCII character")},
        {"defaults",
         noChange,
         IDC_RESTORE_DEFAULTS,
         formatOk,
         {0x02, '0', '%', '?', ';', '?', '+', '?', '7', '8', 0x03}},
        {"a blank in a pair", [&] { EnablePair(1, L"a", L" "); }, IDC_SET_REPLACE,
         Refused(L"Pair 1 replace with: \" \" is a blank: the reader needs a "
                 L"printable character")},
        {"second pair only",
         [&] {
             SetChecked({IDC_ALLOW_PAIR1}, false);
             EnablePair(2, L"a", L"b");
         },
         IDC_SET_REPLACE,
         said(L"Set replace character OK!"),
         {0x02, '1', 0xFF, 'a', 0xFF, 'b', 0x03}},
        // Transfers that end well but short fail: no empty box from the bytes of a short read.
        {"short transfer", [&] { r.shortBy = 1; }, IDC_GET_VERSION, {kSendFailed, kReceiveFailed}},
        // Answers are judged on what the device's input report holds.
        {"input report of 4", [&] { r.inputLength = 4; }, IDC_CANCEL_REPLACE, said(cancelled)},
        {"input report of 1024, refused",
         [&] {
             r.inputLength = 1024;
             r.answer = kNo;
         },
         IDC_SET_DEVICE, formatFailed},
        {"output report of 11", [&] { r.outputLength = 11; }, IDC_CANCEL_REPLACE, said(cancelled)},
        // Readers a command cannot be served on; a parser that refuses it leaves no trace.
        {"output too short", [&] { r.outputLength = 11; }, IDC_SET_DEVICE, unsupported},
        {"input too long", [&] { r.inputLength = 1025; }, IDC_CANCEL_REPLACE, unsupported},
        {"no preparsed data", [&] { r.fails = {"preparsed"}; }, IDC_SET_DEVICE, noDescription},
        {"no caps", [&] { r.fails = {"caps"}; }, IDC_GET_VERSION, noDescription},
        {"parser refuses", [&] { r.gate = HIDP_STATUS_INVALID_REPORT_LENGTH; }, IDC_SET_DEVICE, {}},
        // 900 ms is slow but within the second a read may take. A later answer is kept by the
        // system: it must not count for the next command.
        {"answer in 900 ms", [&] { r.answerDelayMs = 900; }, IDC_SET_DEVICE, formatOk},
        {"answer in 1100 ms",
         [&] { r.answerDelayMs = 1100; },
         IDC_CANCEL_REPLACE,
         {kSent, kReceiveFailed}},
        {"refused", [&] { r.answer = kNo; }, IDC_SET_DEVICE, formatFailed},
        // An answer to another command (another program's, or a late one) is not this one's:
        // the command waits for its own within its second.
        {"a format answer to the version query",
         [&] { r.answer = "\x02\x30Y\x03"; },
         IDC_GET_VERSION,
         {kSent, kReceiveFailed}},
        {"the version answer to set format",
         [&] { r.answer = kVersion; },
         IDC_SET_DEVICE,
         {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}},
        // Another program's exchange with the reader is waited out; one that keeps the reader
        // longer than a command waits for its turn leaves it busy; one that ended without
        // giving the turn back leaves it free.
        {"another program at the reader for 300 ms",
         [&] { host.heldElsewhere[reader::TurnName(r.path)] = 300; }, IDC_SET_DEVICE, formatOk},
        {"another program at the reader for good",
         [&] { host.heldElsewhere[reader::TurnName(r.path)] = INFINITE; },
         IDC_GET_VERSION,
         {Status(L"The reader is busy with another program; try again!")}},
        {"a service made the turn, refusing full access",
         [&] {
             host.madeByAnotherAccount.insert(reader::TurnName(r.path));
             host.heldElsewhere[reader::TurnName(r.path)] = INFINITE;
         },
         IDC_GET_VERSION,
         {Status(L"The reader is busy with another program; try again!")}},
        {"another program ended holding the reader",
         [&] { host.abandoned.insert(reader::TurnName(r.path)); }, IDC_SET_DEVICE, formatOk},
        {"stalled write, in Chinese",
         [&] {
             Click(hwnd, IDC_RADIO_CHINESE);
             r.stallWrites = true;
         },
         IDC_CANCEL_REPLACE,
         {ErrorBox(L"Error", L"发送数据超时"), Status(L"接收数据超时")}},
        // The form is checked before anything is sent.
        {"no track",
         [&] {
             Click(hwnd, IDC_RADIO_ENGLISH);
             SetChecked({IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3}, false);
         },
         IDC_SET_DEVICE, Refused(L"You must select any one track to output!")},
        {"no pair enabled, though one is filled", [&] { SetChecked({IDC_ALLOW_PAIR2}, false); },
         IDC_SET_REPLACE, Refused(L"Notice: you must choose any one of them\"Enable replace\"")},
    };
    Connect();
    const SimulatedDevice connected = r;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        r = connected;
        host.heldElsewhere.clear();
        host.abandoned.clear();
        host.madeByAnotherAccount.clear();
        c.set();
        EXPECT_EQ(Press(c.button), c.shown);
        // One text, none, or a refusal: nothing sent.
        EXPECT_EQ(r.writes.size(), c.shown.size() > 1 && !IsRefusal(c.shown) ? 1u : 0u);
        if (!c.frame.empty() && r.writes.size() == 1) {
            Report sent(65, 0);
            std::copy(c.frame.begin(), c.frame.end(), sent.begin() + 1);
            EXPECT_EQ(r.writes[0], sent);
        }
        ExpectHeld(1);
    }
}

// Once the reader has accepted "Cancel replace", the form no longer claims the pairs it
// dropped: both "Enable Replace" boxes are cleared. A refusal leaves them.
TEST_F(Reader, AnAcceptedCancelClearsThePairsOfTheForm) {
    EnablePair(1, L"a", L"b");
    EnablePair(2, L"x", L"y");
    Connect();
    reader.answer = kNo;
    Press(IDC_CANCEL_REPLACE);
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR1));
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR2));
    reader.answer = kYes;
    Press(IDC_CANCEL_REPLACE);
    EXPECT_FALSE(IsItemChecked(hwnd, IDC_ALLOW_PAIR1));
    EXPECT_FALSE(IsItemChecked(hwnd, IDC_ALLOW_PAIR2));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, IDC_PAIR2_CHAR)));
}

// While a command waits for the reader, the window goes on handling its messages, but a click
// on a command button or Escape made meanwhile is dropped: one report goes out, the window
// stays, and its buttons are back afterwards.
TEST_F(Reader, ClicksMadeWhileACommandWaitsAreDropped) {
    Connect();
    reader.answer = "";  // silent: the read waits its whole second
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDC_GET_VERSION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd, IDC_GET_VERSION)));
    PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(Press(IDC_SET_DEVICE),
              (Entries{kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}));
    PumpMessages();
    EXPECT_EQ(reader.writes.size(), 1u);
    EXPECT_TRUE(IsWindow(hwnd));
    for (int id : {IDC_FIND_DEVICE, IDC_SET_DEVICE, IDC_GET_VERSION, IDC_CANCEL_REPLACE})
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, id))) << "control " << id;
}

// A command greys the window only once it has waited more than a moment: with an answer at
// once every button and the system menu's own entries stay as they are; while a silent
// reader is waited for, the command buttons and the four entries grey, and all come back.
TEST_F(Reader, TheWindowGreysOnlyWhenACommandWaitsMoreThanAMoment) {
    Connect();
    const HMENU systemMenu = GetSystemMenu(hwnd, FALSE);
    const auto greyed = [&](UINT entry) {
        return (GetMenuState(systemMenu, entry, MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    bool everGreyed = false;
    host.duringWait = [&] {
        everGreyed = everGreyed || !IsWindowEnabled(GetDlgItem(hwnd, IDC_GET_VERSION));
    };
    Press(IDC_GET_VERSION);
    EXPECT_FALSE(everGreyed);
    reader.answer = "";
    std::vector<bool> lastSeen;
    host.duringWait = [&] {
        lastSeen = {!IsWindowEnabled(GetDlgItem(hwnd, IDC_SET_DEVICE)),
                    !IsWindowEnabled(GetDlgItem(hwnd, IDC_FIND_DEVICE))};
        for (UINT entry : {IDM_LOAD_PROFILE, IDM_SAVE_PROFILE, IDM_SWIPE_TEST, IDM_ABOUTBOX})
            lastSeen.push_back(greyed(entry));
    };
    Press(IDC_GET_VERSION);
    host.duringWait = nullptr;
    EXPECT_EQ(lastSeen, std::vector<bool>(6, true));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, IDC_SET_DEVICE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, IDC_FIND_DEVICE)));
    for (UINT entry : {IDM_LOAD_PROFILE, IDM_SAVE_PROFILE, IDM_SWIPE_TEST, IDM_ABOUTBOX})
        EXPECT_FALSE(greyed(entry)) << "entry " << entry;
}

// The window's modal loops seen from outside: when each began and ended, and whether the
// system menu's "Load profile" entry was greyed as the loop ended.
struct ModalLoops {
    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION) {
            if (message->message == WM_ENTERMENULOOP || message->message == WM_ENTERSIZEMOVE)
                began = GetTickCount64();
            if (message->message == WM_EXITMENULOOP || message->message == WM_EXITSIZEMOVE) {
                ended = GetTickCount64();
                entryGreyed = (GetMenuState(GetSystemMenu(message->hwnd, FALSE), IDM_LOAD_PROFILE,
                                            MF_BYCOMMAND) &
                               MF_GRAYED) != 0;
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    // Should the window never end the loop, the test does, after 8 s.
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
        EndMenu();
        PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    static inline ULONGLONG began = 0, ended = 0;
    static inline bool entryGreyed = false;
    static inline HWND window = nullptr;
};

// The system menu opened, or a move begun, while a command waits for a silent reader runs a
// loop of its own inside the wait: it is ended when the wait's second is up, so the reader's
// bound holds, and the menu shows its entries greyed.
TEST_F(Reader, AMenuOrMoveDuringAWaitEndsWhenTheWaitsTimeIsUp) {
    Connect();
    reader.answer = "";
    ModalLoops::window = hwnd;
    HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROC, ModalLoops::Watch, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    for (const auto& [name, command, key] :
         {std::tuple<const char*, WPARAM, LPARAM>{"system menu", SC_KEYMENU, VK_SPACE},
          {"move", SC_MOVE, 0}}) {
        SCOPED_TRACE(name);
        ModalLoops::began = ModalLoops::ended = 0;
        const UINT_PTR giveUp = SetTimer(nullptr, 0, 8000, ModalLoops::GiveUp);
        PostMessageW(hwnd, WM_SYSCOMMAND, command, key);
        EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, kReceiveFailed}));
        KillTimer(nullptr, giveUp);
        ASSERT_NE(ModalLoops::began, 0u);
        ASSERT_NE(ModalLoops::ended, 0u);
        EXPECT_LT(ModalLoops::ended - ModalLoops::began, 2000u);
        if (command == SC_KEYMENU) {
            EXPECT_TRUE(ModalLoops::entryGreyed);
        }
    }
    UnhookWindowsHookEx(hook);
}

// Disconnect lets the reader go and says so; with none connected it says there is none.
TEST_F(Reader, DisconnectSaysWhetherAReaderWasConnected) {
    Connect();
    EXPECT_EQ(Press(IDC_DISCONNECT), (Entries{Status(L"Device disconnected!")}));
    ExpectHeld(0);
    EXPECT_EQ(Press(IDC_DISCONNECT), kNoLink);
}

// After a command timed out, the next one first waits out the quiet time in which a late
// answer is read and dropped: two seconds by the reader's clock. Each exchange makes one
// event of its own, and the quiet time one more; a command without a quiet time before it
// makes only its own.
TEST_F(Reader, TheCommandAfterATimeoutWaitsOutTheQuietTime) {
    Connect();
    reader.answer = kVersion;
    reader.answerDelayMs = 1100;  // after the read gave up: read and dropped in the quiet time
    host.eventsMade = 0;
    Press(IDC_GET_VERSION);
    EXPECT_EQ(host.eventsMade, 1);
    const ULONGLONG timedOut = host.now;
    reader.answerDelayMs = 0;
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, Status(L"V1.0"), InfoBox(L"V1.0")}));
    EXPECT_GE(host.now - timedOut, 2000u);
    EXPECT_EQ(host.eventsMade, 3);
    Press(IDC_GET_VERSION);
    EXPECT_EQ(host.eventsMade, 4);
}

// A reader that goes, or whose description cannot be read, during the quiet time after a
// timeout: the quiet ends at once and the next command says why.
TEST_F(Reader, AReaderThatFailsDuringTheQuietTimeEndsItAtOnce) {
    const struct {
        const char* name;
        std::function<void()> fail;
        Entries shown;
    } cases[] = {
        {"pulled out", [&] { host.Unplug(reader); }, kUnplugCases[2].shown},
        {"no description",
         [&] { reader.fails = {"preparsed"}; },
         {Status(L"Could not get HID preparsed data!")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reader.fails.clear();
        Connect();
        reader.answer = "";
        Press(IDC_GET_VERSION);
        const ULONGLONG timedOut = host.now;
        c.fail();
        EXPECT_EQ(Press(IDC_GET_VERSION), c.shown);
        EXPECT_LT(host.now - timedOut, 1000u);
        ExpectHeld(c.shown == kUnplugCases[2].shown ? 0 : 1);
        Click(hwnd, IDC_DISCONNECT);
    }
}

// A reader that floods each command with answers to another command: after as many as the
// system buffers and one more, the command gives up at once instead of reading on.
TEST_F(Reader, AFloodOfAnswersToAnotherCommandEndsTheReadAtOnce) {
    Connect();
    reader.answer = "\x02\x30Y\x03";
    reader.answers = 65;
    const ULONGLONG before = host.now;
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, kReceiveFailed}));
    EXPECT_LT(host.now - before, 1000u);
}

// What a flood left queued, as many reports as the system buffers, is read past before the
// next command goes out: that command gets its own answer.
TEST_F(Reader, WhatAFloodLeftQueuedIsReadPastBeforeTheNextCommand) {
    Connect();
    reader.answer = kNo;
    reader.answers = 65;  // one is the answer, 64 are left
    Press(IDC_SET_DEVICE);
    Clear();
    reader.answer = kYes;
    reader.answers = 1;
    EXPECT_EQ(Press(IDC_SET_DEVICE),
              (Entries{kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")}));
}

// The walk takes device paths from the shortest its detail record holds to the longest it
// accepts; a longer one is not a path, and the walk ends there.
TEST_F(Reader, DevicePathsUpToTheLongestTheWalkTakesAreFound) {
    const std::size_t offset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
    const std::size_t shortest = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) - offset - 1;
    const std::size_t longest = 4096 - offset - 1;
    const Entries notAPath = {ErrorBox(L"Error", L"Get HID device information failed!")};
    const std::pair<std::size_t, Entries> cases[] = {
        {shortest, kFound}, {longest, kFound}, {longest + 1, notAPath}};
    reader.answer = kVersion;
    for (const auto& [length, shown] : cases) {
        SCOPED_TRACE(testing::Message() << "a path of " << length);
        reader.path = std::string(length, 'p');
        EXPECT_EQ(Press(IDC_FIND_DEVICE), shown);
        Click(hwnd, IDC_DISCONNECT);
    }
}

// The commands over a user interface that only counts: the format and the version query ask
// for "Set Device" to be enabled when they end, unless the report was refused silently; the
// replacement commands never do.
struct CountingUi : CommandUi {
    void Report(Occasion) override {}
    void ShowStatus(const std::wstring&) override {}
    void ShowVersionText(const std::string&) override {}
    void ShowErrorBox(const std::wstring&) override {}
    void EnableSetDevice() override { ++setDeviceEnabled; }
    void Pause(unsigned) override {}
    void ReplacementsCancelled() override {}
    void KeepAnswering(unsigned) override {}
    int setDeviceEnabled = 0;
};

TEST(ReaderCommandsOverAnyUi, FormatAndVersionEnableSetDeviceAtTheirEnd) {
    SimulatedHid host;
    SimulatedDevice& reader = host.AddReader();
    CountingUi ui;
    ReaderCommands commands(ui);
    commands.FindDevice();
    reader::ReplaceSettings pair;
    pair.enabled[0] = true;
    pair.original[0] = 'a';
    pair.replacement[0] = 'b';
    reader::FormatSettings format;
    format.outputTrack[0] = true;
    const struct {
        const char* name;
        std::function<void()> run;
        NTSTATUS gate;
        int enabled;
    } cases[] = {
        {"format", [&] { commands.SetFormat(format, {}); }, HIDP_STATUS_SUCCESS, 1},
        {"version", [&] { commands.GetVersion(); }, HIDP_STATUS_SUCCESS, 1},
        {"version refused by the parser", [&] { commands.GetVersion(); },
         HIDP_STATUS_INVALID_REPORT_LENGTH, 0},
        {"replace", [&] { commands.SetReplace(pair, {}); }, HIDP_STATUS_SUCCESS, 0},
        {"cancel", [&] { commands.CancelReplace(); }, HIDP_STATUS_SUCCESS, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reader.gate = c.gate;
        ui.setDeviceEnabled = 0;
        c.run();
        EXPECT_EQ(ui.setDeviceEnabled, c.enabled);
    }
}

// A transfer that not even cancelling ends keeps its memory and its event: nothing is
// released under the system. The window's end closes the link, which ends the transfer.
TEST_F(Reader, TransferThatNeverEndsIsNotReleasedUnderTheSystem) {
    Connect();
    reader.stallWrites = true;
    reader.ignoresCancel = true;
    leakedEvents = 1;
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
}

// Find walks past every other interface to the first reader, and reports each fault of the
// device list; enumeration errors are retried at the same index, and end the walk if they
// persist. It holds only what it found.
TEST_F(Reader, FindWalksPastEveryOtherInterfaceAndReportsFaultsOfTheList) {
    reader.fails = {"attributes"};  // skipped, as are the devices after it
    host.AddDevice(0x5131, 0x2008);
    host.AddDevice(0x1234, 0x0001).fails = {"open"};
    SimulatedDevice& odd = host.AddDevice(0x1234, 0x2007);  // the product, not the vendor
    host.AddReader().answer = kVersion;
    host.AddReader().versionNumber = 0x0200;  // not reached
    const std::wstring noList = L"Get HID device information failed!";
    const struct {
        const char* name;
        bool listFails, detailFails;
        std::map<DWORD, int> enumerationFaults;
        Entries shown;
    } cases[] = {
        {"the list read well", false, false, {}, kFound},
        {"no list", true, false, {}, {Status(noList)}},
        {"a device without detail", false, true, {}, {ErrorBox(L"Error", noList)}},
        {"enumeration retried", false, false, {{4, 2}}, kFound},
        {"enumeration failing",
         false,
         false,
         {{1, -1}},
         {Status(L"Device disconnected!"), kNoLink[0]}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.classDevsFail = c.listFails;
        host.enumerationFaults = c.enumerationFaults;
        odd.fails = {c.detailFails ? "detail" : ""};
        EXPECT_EQ(Press(IDC_FIND_DEVICE), c.shown);
        ExpectHeld(c.shown == kFound);
        Click(hwnd, IDC_DISCONNECT);
    }
}

// Pulled out between commands, the next write fails at once, or the description cannot be
// had; pulled out while a transfer is pending, the command's failure texts. Either way the reader
// is let go ("No device connected!"), and found again once it is back, also by a Find that holds
// its dead handle.
TEST_F(Reader, PulledOutBetweenOrDuringEachTransferTheReaderIsLetGoAndFoundOnceBack) {
    EnablePair(1, L"a", L"b");
    Connect();
    host.Unplug(reader);
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    EXPECT_EQ(Press(IDC_GET_VERSION), kNoLink);
    // As under Wine: the handle of a reader that is gone has no description either.
    Connect();
    reader.fails = {"preparsed"};
    host.Unplug(reader);
    EXPECT_EQ(Press(IDC_SET_DEVICE), kNoLink);
    EXPECT_EQ(Press(IDC_GET_VERSION), kNoLink);
    EXPECT_TRUE(reader.writes.empty());
    reader.fails.clear();
    Connect();
    host.Unplug(reader);  // the next Find's first check fails
    for (const UnplugCase& c : kUnplugCases) {
        SCOPED_TRACE(testing::Message() << c.button << (c.duringRead ? ", read" : ", write"));
        Connect();
        if (c.duringRead)
            reader.vanishInRead = true;
        else
            reader.vanishInWrite = true;
        EXPECT_EQ(Press(c.button), c.shown);
        EXPECT_EQ(Press(c.button), kNoLink);
        EXPECT_EQ(reader.writes.size(), 1u);
    }
}

}  // namespace
