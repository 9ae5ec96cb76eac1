// Find Device and Disconnect Device through the settings window, over a simulated host.
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using FindDevice = ReaderWindow;

const Entries kNoReader = {Status(L"Device disconnected!"), Status(L"No device connected!")};
const Entries kFoundV1 = {Status(L"Detect device OK,ver100"), kSent, Status(L"V1.0"),
                          InfoBox(L"V1.0")};

TEST_F(FindDevice, WalksPastEveryOtherInterfaceToTheReaderAndAsksItsVersion) {
    host.AddWineDevices();
    SimulatedDevice& otherProduct = host.AddDevice(0x5131, 0x2008);
    SimulatedDevice& locked = host.AddDevice(0x1234, 0x0001);
    locked.opens = false;
    SimulatedDevice& mute = host.AddDevice(0x5131, 0x2007);
    mute.attributesFail = true;
    SimulatedDevice& reader = AddReader();
    reader.versionNumber = 0x0102;
    SimulatedDevice& second = AddReader();

    EXPECT_EQ(Press(IDC_FIND_DEVICE), (Entries{Status(L"Detect device OK,ver102"), kSent,
                                               Status(L"V1.0"), InfoBox(L"V1.0")}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));
    for (const SimulatedDevice* device : {&otherProduct, &locked, &mute, &reader})
        EXPECT_EQ(device->openCount, 1) << device->path;
    EXPECT_EQ(second.openCount, 0);  // the first matching interface wins
    EXPECT_TRUE(otherProduct.writes.empty());
    EXPECT_EQ(reader.writes.size(), 1u);
    ExpectNothingHeld(1);  // only the reader's handle is still open
}

// Find over Wine's mouse and keyboard, `configure`'s changes, then the reader if `reader`.
struct FindCase {
    void (*configure)(SimulatedHid&);
    bool reader, chinese;
    Entries shown;
    std::vector<DWORD> pauses;
};

void Nothing(SimulatedHid&) {}
const FindCase kFindCases[] = {
    {&Nothing, false, false, kNoReader, {200}},
    {&Nothing, false, true, {Status(L"设备未连接!"), Status(L"设备尚未连接!")}, {200}},
    {[](SimulatedHid& h) { h.classDevsFail = true; },
     true,
     false,
     {Status(L"Get HID device information failed!")},
     {}},
    {[](SimulatedHid& h) { h.AddDevice(0x1234, 0x5678).detailFails = true; },
     true,
     false,
     {ErrorBox(L"Error", L"Get HID device information failed!")},
     {}},
    // Enumeration errors are retried at the same index, and end the walk if they persist.
    {[](SimulatedHid& h) { h.FailEnumeration(2, ERROR_INVALID_DATA, 2); },
     true,
     false,
     kFoundV1,
     {200}},
    {[](SimulatedHid& h) { h.FailEnumeration(1, ERROR_INVALID_DATA, -1); },
     true,
     false,
     kNoReader,
     {200}},
};

class FindOutcome : public ReaderWindow, public testing::WithParamInterface<FindCase> {};

TEST_P(FindOutcome, ShowsItsTextsAndHoldsOnlyWhatItFound) {
    const FindCase& c = GetParam();
    host.AddWineDevices();
    c.configure(host);
    if (c.reader)
        AddReader();
    if (c.chinese)
        Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(Press(IDC_FIND_DEVICE), c.shown);
    EXPECT_EQ(timeline.pauses, c.pauses);
    EXPECT_LE(host.enumerationCalls(), 8);
    ExpectNothingHeld(c.shown == kFoundV1 ? 1 : 0);
    Click(hwnd, IDC_DISCONNECT);
}

INSTANTIATE_TEST_SUITE_P(Hosts, FindOutcome, testing::ValuesIn(kFindCases));

TEST_F(FindDevice, WhileConnectedSaysSoAndEnumeratesNothing) {
    SimulatedDevice& reader = AddReader();
    Connect(reader);
    const int calls = host.enumerationCalls();
    EXPECT_EQ(Press(IDC_FIND_DEVICE), (Entries{Status(L"Detect Device OK!")}));
    EXPECT_TRUE(timeline.pauses.empty());
    EXPECT_EQ(host.enumerationCalls(), calls);
    EXPECT_TRUE(reader.writes.empty());
    EXPECT_EQ(reader.openCount, 1);
}

TEST_F(FindDevice, DisconnectClosesTheLinkAndFindOpensItAgain) {
    SimulatedDevice& reader = AddReader();
    Connect(reader);
    EXPECT_EQ(Press(IDC_DISCONNECT), (Entries{Status(L"Device disconnected!")}));
    EXPECT_EQ(host.openHandles(), 0);
    EXPECT_EQ(Press(IDC_DISCONNECT), (Entries{Status(L"No device connected!")}));
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{Status(L"No device connected!")}));
    EXPECT_TRUE(reader.writes.empty());  // nothing is sent on disconnect
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFoundV1);
    EXPECT_EQ(reader.openCount, 2);
}

// Pulled out between commands: the next command's write fails at once, which closes the
// link; from then on the window knows the reader is gone.
TEST_F(FindDevice, ReaderUnpluggedBetweenCommandsIsLetGoAndFoundAgain) {
    host.AddWineDevices();
    SimulatedDevice& reader = AddReader();
    Connect(reader);
    host.Unplug(reader);
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    EXPECT_EQ(host.openHandles(), 0);
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{Status(L"No device connected!")}));
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kNoReader);  // searches afresh and finds nothing
    host.PlugBackIn(reader);
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFoundV1);
    EXPECT_EQ(reader.writes.size(), 1u);  // the version query: the format never reached it
}

// A handle whose reader was pulled out and plugged in again no longer answers: Find closes
// it and opens the reader anew instead of saying it is connected.
TEST_F(FindDevice, WhileConnectedWithADeadHandleSearchesAfresh) {
    SimulatedDevice& reader = AddReader();
    Connect(reader);
    host.Unplug(reader);
    host.PlugBackIn(reader);
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFoundV1);
    EXPECT_EQ(reader.openCount, 2);
    ExpectNothingHeld(1);
    host.Unplug(reader);  // and still away
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kNoReader);
    EXPECT_EQ(host.openHandles(), 0);
}

}  // namespace
