// The program's reader code, with the system's own HID calls, against the virtual card
// reader installed in Wine's HID stack. Run by scripts/e2e.sh in a prefix of its own.
#include <windows.h>
#include <setupapi.h>
extern "C" {
#include <hidsdi.h>
}

#include <gtest/gtest.h>

#include <memory>

#include "app/settings_dialog.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"
#include "virtual_reader.h"

namespace {

const std::wstring kDefaultVersion = L"ZP350 VR 1.0";

// How many HID interfaces the system lists as present.
int PresentHidInterfaces() {
    GUID hid{};
    HidD_GetHidGuid(&hid);
    HDEVINFO set =
        SetupDiGetClassDevsW(&hid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return 0;
    SP_DEVICE_INTERFACE_DATA entry{};
    entry.cbSize = sizeof(entry);
    int count = 0;
    while (SetupDiEnumDeviceInterfaces(set, nullptr, &hid, count, &entry))
        ++count;
    SetupDiDestroyDeviceInfoList(set);
    return count;
}

class E2eReader : public testing::Test {
protected:
    void SetUp() override {
        VirtualReader::Reset();
        dialog = std::make_unique<SettingsDialog>();
        hwnd = dialog->Create();
        ASSERT_NE(hwnd, nullptr);
        PumpMessages();
        timeline.WatchStatus(hwnd);
    }
    void TearDown() override {
        dialog.reset();
        VirtualReader::Reset();
    }

    // Finds the reader and forgets what that showed and sent.
    void Connect() {
        Click(hwnd, IDC_FIND_DEVICE);
        ASSERT_FALSE(timeline.entries.empty());
        ASSERT_EQ(timeline.entries.front(), Status(L"Detect device OK,ver100"));
        Forget();
    }
    void Forget() {
        timeline.entries.clear();
        timeline.pauses.clear();
        VirtualReader::ForgetReceived();
    }
    void SetChecked(int id, bool checked) {
        if (IsItemChecked(hwnd, id) != checked)
            Click(hwnd, id);
    }

    Timeline timeline;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
};

TEST_F(E2eReader, FindsTheReaderAmongWinesDevicesAndAsksForItsVersion) {
    // Wine's own mouse and keyboard are listed beside the reader.
    EXPECT_GE(PresentHidInterfaces(), 3);
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Detect device OK,ver100"), Status(L"Set Command OK!"),
                       Status(kDefaultVersion), InfoBox(kDefaultVersion)}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));
    EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport({0x02, 0x05, 0x03})}));

    // A second search finds the link open and sends nothing.
    Forget();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Detect Device OK!")}));
    EXPECT_TRUE(VirtualReader::Received().empty());
}

// One command, the reader's behaviour for it, the report it must receive and what the
// window shows.
struct CommandCase {
    const char* name;
    int button;
    DWORD answer;  // 0: the reader decides
    bool silent;
    std::vector<std::uint8_t> sent;  // after the identifier
    Entries shown;
};

const std::vector<std::uint8_t> kDefaultFormat = {0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F,
                                                  0x2B, 0x3F, 0x37, 0x38, 0x03};
const std::vector<std::uint8_t> kBothPairs = {0x02, 0x31, 'a', 'x', 'b', 'y', 0x03};
const std::vector<std::uint8_t> kCancel = {0x02, 0x32, 0x03};
const std::vector<std::uint8_t> kVersion = {0x02, 0x05, 0x03};

const CommandCase kCommands[] = {
    {"format accepted",
     IDC_SET_DEVICE,
     0,
     false,
     kDefaultFormat,
     {Status(L"Send data success"), Status(L"Set format OK!"), InfoBox(L"Set format OK!")}},
    {"format refused",
     IDC_SET_DEVICE,
     'N',
     false,
     kDefaultFormat,
     {Status(L"Send data success"), Status(L"Set format failed!"),
      ErrorBox(L"ERROR", L"Set format failed!")}},
    {"format, another byte",
     IDC_SET_DEVICE,
     'X',
     false,
     kDefaultFormat,
     {Status(L"Send data success")}},
    {"format, silence",
     IDC_SET_DEVICE,
     0,
     true,
     kDefaultFormat,
     {Status(L"Send data success"), Status(L"Receive data timeout"),
      ErrorBox(L"ERROR", L"Receive data timeout")}},
    {"replace accepted",
     IDC_SET_REPLACE,
     0,
     false,
     kBothPairs,
     {Status(L"Set Command OK!"), Status(L"Set replace character OK!"),
      InfoBox(L"Set replace character OK!")}},
    {"replace refused",
     IDC_SET_REPLACE,
     'N',
     false,
     kBothPairs,
     {Status(L"Set Command OK!"), Status(L"Set replace character failed!"),
      ErrorBox(L"ERROR", L"Set replace character failed!")}},
    {"replace, silence",
     IDC_SET_REPLACE,
     0,
     true,
     kBothPairs,
     {Status(L"Set Command OK!"), Status(L"Receive data timeout!")}},
    {"cancel accepted",
     IDC_CANCEL_REPLACE,
     0,
     false,
     kCancel,
     {Status(L"Set Command OK!"), Status(L"Cancle replace character command  OK!"),
      InfoBox(L"Cancle replace character command  OK!")}},
    {"cancel refused",
     IDC_CANCEL_REPLACE,
     'N',
     false,
     kCancel,
     {Status(L"Set Command OK!"), Status(L"Cancle replace character command failed!"),
      ErrorBox(L"ERROR", L"Cancle replace character command failed!")}},
    {"cancel, another byte", IDC_CANCEL_REPLACE, 'X', false, kCancel, {Status(L"Set Command OK!")}},
    {"version",
     IDC_GET_VERSION,
     0,
     false,
     kVersion,
     {Status(L"Set Command OK!"), Status(kDefaultVersion), InfoBox(kDefaultVersion)}},
    {"version, silence",
     IDC_GET_VERSION,
     0,
     true,
     kVersion,
     {Status(L"Set Command OK!"), Status(L"Receive data timeout!")}},
};

TEST_F(E2eReader, EveryCommandSendsItsReportAndShowsTheReadersAnswer) {
    Connect();
    SetChecked(IDC_ALLOW_PAIR1, true);
    SetChecked(IDC_ALLOW_PAIR2, true);
    SetDlgItemTextW(hwnd, IDC_PAIR1_CHAR, L"a");
    SetDlgItemTextW(hwnd, IDC_PAIR1_REPLACEMENT, L"b");
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"x");
    SetDlgItemTextW(hwnd, IDC_PAIR2_REPLACEMENT, L"y");
    for (const CommandCase& c : kCommands) {
        SCOPED_TRACE(c.name);
        VirtualReader::Reset();
        if (c.answer != 0)
            VirtualReader::SetAnswer(c.answer);
        VirtualReader::SetSilent(c.silent);
        Forget();
        Click(hwnd, c.button);
        EXPECT_EQ(timeline.entries, c.shown);
        EXPECT_EQ(VirtualReader::Received(), (std::vector<Report>{FullReport(c.sent)}));
    }
}

TEST_F(E2eReader, TheReaderKeepsTheFormatAndReplacementsItAccepted) {
    Connect();
    // Tracks 1 and 3, a carriage return after each, no sentinel for track 2's end.
    SetChecked(IDC_CR_PACKET, false);
    SetChecked(IDC_OUTPUT_TRACK2, false);
    SetChecked(IDC_CR_TRACK1, true);
    SetChecked(IDC_CR_TRACK3, true);
    SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(VirtualReader::Format(), (Report{'%', '?', ';', 0xFF, '+', '?', '5', '5'}));

    SetChecked(IDC_ALLOW_PAIR2, true);
    SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"a");
    SetDlgItemTextW(hwnd, IDC_PAIR2_REPLACEMENT, L"b");
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(VirtualReader::Replace(), (Report{0xFF, 'a', 0xFF, 'b'}));
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(VirtualReader::Replace(), (Report{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(E2eReader, ALateAnswerIsNotTakenForTheNextCommandsAnswer) {
    Connect();
    VirtualReader::SetDelayMs(1500);
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries.back(), ErrorBox(L"ERROR", L"Receive data timeout"));
    // The late 'Y' arrives while nothing reads and waits in the HID stack's buffer.
    Sleep(1000);

    VirtualReader::SetDelayMs(0);
    VirtualReader::SetAnswer('N');
    Forget();
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Send data success"), Status(L"Set format failed!"),
                       ErrorBox(L"ERROR", L"Set format failed!")}));
}

TEST_F(E2eReader, DisconnectAndFindAgain) {
    Connect();
    Click(hwnd, IDC_DISCONNECT);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Device disconnected!")}));
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries.back(), Status(L"No device connected!"));
    EXPECT_TRUE(VirtualReader::Received().empty());

    VirtualReader::SetVersion(L"V2.5");
    Forget();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Detect device OK,ver100"), Status(L"Set Command OK!"),
                       Status(L"V2.5"), InfoBox(L"V2.5")}));
}

TEST_F(E2eReader, BadSteeringValuesAreClampedAndTheReaderKeepsWorking) {
    const DWORD kLongDelay = 0xFFFFFFFF;
    Connect();
    // 80 characters: the reader sends 60, the program shows 29.
    const std::wstring longText(80, L'v');
    VirtualReader::SetVersion(longText);
    VirtualReader::SetAnswer(0x12345);  // clamped to 0xFF: neither 'Y' nor 'N'
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries.back(), InfoBox(std::wstring(29, L'v')));
    Forget();
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Send data success")}));

    // Values of the wrong type count as not set: the reader decides and answers at once.
    VirtualReader::Reset();
    const wchar_t text[] = L"N";
    const BYTE oneByte = 1;
    VirtualReader::SetRaw(L"Answer", REG_SZ, text, sizeof(text));
    VirtualReader::SetRaw(L"Silent", REG_SZ, text, sizeof(text));
    VirtualReader::SetRaw(L"DelayMs", REG_BINARY, &oneByte, 1);
    VirtualReader::SetRaw(L"Version", REG_DWORD, &kLongDelay, sizeof(kLongDelay));
    Forget();
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Set format OK!"));
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries.back(), InfoBox(kDefaultVersion));

    // A delay beyond the reader's limit is cut to 5 s, not waited for ever.
    VirtualReader::Reset();
    VirtualReader::SetDelayMs(kLongDelay);
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries.back(), Status(L"Receive data timeout!"));
    Sleep(4500);
    VirtualReader::SetDelayMs(0);
    Forget();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Cancle replace character command  OK!"));
}

TEST_F(E2eReader, AReaderPulledOutWhileConnectedFailsItsCommandsUntilFoundAgain) {
    Connect();
    ASSERT_TRUE(VirtualReader::Remove());
    Click(hwnd, IDC_SET_DEVICE);
    // The HID stack no longer describes a device that is gone: nothing can be built or sent.
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Could not get HID preparsed data!")}));

    Forget();
    Click(hwnd, IDC_DISCONNECT);
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"Device disconnected!"),
                       Status(L"No device connected!")}));

    ASSERT_TRUE(VirtualReader::Install());
    Forget();
    Click(hwnd, IDC_FIND_DEVICE);
    ASSERT_FALSE(timeline.entries.empty());
    EXPECT_EQ(timeline.entries.front(), Status(L"Detect device OK,ver100"));
    Forget();
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Set format OK!"));
}

}  // namespace
