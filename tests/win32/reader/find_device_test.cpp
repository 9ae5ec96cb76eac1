// Find Device and Disconnect Device through the settings window, over a simulated host.
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using FindDevice = ReaderWindow;

const std::wstring kVersionText = L"ZP350 V2.01";

SimulatedDevice& AddAnsweringReader(SimulatedHid& host, USHORT version = 0x0100) {
    SimulatedDevice& reader = host.AddReader(version);
    reader.answer = SimulatedDevice::Answer::Version;
    reader.versionText = "ZP350 V2.01";
    return reader;
}

TEST_F(FindDevice, WalksPastEveryOtherInterfaceToTheReaderAndAsksItsVersion) {
    host.AddWineDevices();
    SimulatedDevice& otherProduct = host.AddDevice(0x5131, 0x2008);
    SimulatedDevice& locked = host.AddDevice(0x1234, 0x0001);
    locked.opens = false;
    SimulatedDevice& mute = host.AddDevice(0x5131, 0x2007);
    mute.attributesFail = true;
    SimulatedDevice& reader = AddAnsweringReader(host, 0x0102);
    SimulatedDevice& second = host.AddReader();

    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Detect device OK,ver102"), Status(L"Set Command OK!"),
                       Status(kVersionText), InfoBox(kVersionText)}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));
    for (const SimulatedDevice* device : {&otherProduct, &locked, &mute, &reader})
        EXPECT_EQ(device->openCount, 1) << device->path;
    EXPECT_EQ(second.openCount, 0);  // the first matching interface wins
    EXPECT_TRUE(otherProduct.writes.empty());
    ASSERT_EQ(reader.writes.size(), 1u);
    EXPECT_EQ(reader.writes[0][2], 0x05);
    // Only the reader's handle is still open.
    for (const std::string& problem : host.Problems(1))
        ADD_FAILURE() << problem;
}

TEST_F(FindDevice, ShowsTheVersionNumberInUpperCaseHexWithoutLeadingZeros) {
    SimulatedDevice& reader = AddAnsweringReader(host);
    const struct {
        USHORT number;
        const wchar_t* text;
    } cases[] = {{0x0100, L"ver100"}, {0x000A, L"verA"}, {0xBEEF, L"verBEEF"}, {0, L"ver0"}};
    for (const auto& c : cases) {
        reader.versionNumber = c.number;
        Clear();
        Click(hwnd, IDC_FIND_DEVICE);
        ASSERT_FALSE(timeline.entries.empty());
        EXPECT_EQ(timeline.entries[0], Status(std::wstring(L"Detect device OK,") + c.text));
        Click(hwnd, IDC_DISCONNECT);
    }
    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries[0], Status(L"设备已连接,ver0"));
    EXPECT_EQ(timeline.entries[1], Status(L"发送命令数据成功"));
}

TEST_F(FindDevice, WithoutAReaderEndsWithTheCommandsNoDeviceText) {
    host.AddWineDevices();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"No device connected!")}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));

    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"设备未连接!"), Status(L"设备尚未连接!")}));
}

TEST_F(FindDevice, WhileConnectedSaysSoAndEnumeratesNothing) {
    SimulatedDevice& reader = AddAnsweringReader(host);
    Connect(reader);
    const int calls = host.enumerationCalls();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Detect Device OK!")}));
    EXPECT_TRUE(timeline.pauses.empty());
    EXPECT_EQ(host.enumerationCalls(), calls);
    EXPECT_TRUE(reader.writes.empty());
    EXPECT_EQ(reader.openCount, 1);
}

TEST_F(FindDevice, WithoutADeviceListStopsAtOnce) {
    AddAnsweringReader(host);
    host.classDevsFail = true;
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Get HID device information failed!")}));
    EXPECT_TRUE(timeline.pauses.empty());
    EXPECT_EQ(host.enumerationCalls(), 0);
    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"获取HID设备信息失败!")}));
}

TEST_F(FindDevice, UnreadableDetailEndsTheRunWithOneBoxAndNoPause) {
    host.AddWineDevices();
    host.AddDevice(0x1234, 0x5678).detailFails = true;
    SimulatedDevice& reader = AddAnsweringReader(host);
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{ErrorBox(L"Error", L"Get HID device information failed!")}));
    EXPECT_TRUE(timeline.pauses.empty());
    EXPECT_EQ(reader.openCount, 0);
    Clear();
    Click(hwnd, IDC_GET_VERSION);  // the link stayed none
    EXPECT_EQ(timeline.entries, (Entries{Status(L"No device connected!")}));

    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{ErrorBox(L"Error", L"获取HID设备细节信息失败!")}));
}

TEST_F(FindDevice, EnumerationErrorsAreRetriedAtTheSameIndexThenEndTheWalk) {
    host.AddWineDevices();
    SimulatedDevice& reader = AddAnsweringReader(host);
    host.FailEnumeration(2, ERROR_INVALID_DATA, 2);  // passes on the third try
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries.at(0), Status(L"Detect device OK,ver100"));
    EXPECT_EQ(reader.openCount, 1);
    Click(hwnd, IDC_DISCONNECT);

    host.FailEnumeration(1, ERROR_INVALID_DATA, -1);  // never passes: the walk ends there
    Clear();
    const int before = host.enumerationCalls();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"No device connected!")}));
    EXPECT_EQ(timeline.pauses, (std::vector<DWORD>{200}));
    EXPECT_LE(host.enumerationCalls() - before, 4);
    EXPECT_EQ(reader.openCount, 1);
}

TEST_F(FindDevice, DisconnectClosesTheLinkAndFindOpensItAgain) {
    SimulatedDevice& reader = AddAnsweringReader(host);
    Connect(reader);
    Click(hwnd, IDC_DISCONNECT);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Device disconnected!")}));
    EXPECT_EQ(host.openHandles(), 0);
    Click(hwnd, IDC_DISCONNECT);
    EXPECT_EQ(timeline.entries.back(), Status(L"No device connected!"));
    EXPECT_TRUE(reader.writes.empty());  // nothing is sent on disconnect

    Click(hwnd, IDC_RADIO_CHINESE);
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(reader.openCount, 2);
    Clear();
    Click(hwnd, IDC_DISCONNECT);
    Click(hwnd, IDC_DISCONNECT);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"设备已断开!"), Status(L"设备未连接!")}));
}

// Pulled out between commands: the next command's write fails at once, which closes the
// link; from then on the window knows the reader is gone.
TEST_F(FindDevice, ReaderUnpluggedBetweenCommandsIsLetGoAndFoundAgain) {
    host.AddWineDevices();
    SimulatedDevice& reader = AddAnsweringReader(host);
    Connect(reader);
    host.Unplug(reader);

    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Send data timeout!"), Status(L"Receive data timeout"),
                       ErrorBox(L"ERROR", L"Receive data timeout")}));
    EXPECT_EQ(host.openHandles(), 0);
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"No device connected!")}));
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);  // searches afresh and finds nothing
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"No device connected!")}));

    host.PlugBackIn(reader);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(kVersionText));
    EXPECT_EQ(reader.openCount, 2);
    EXPECT_EQ(reader.writes.size(), 1u);  // the version query: the format never reached it
}

// A handle whose reader was pulled out and plugged in again no longer answers: Find closes
// it and opens the reader anew instead of saying it is connected.
TEST_F(FindDevice, WhileConnectedWithADeadHandleSearchesAfresh) {
    SimulatedDevice& reader = AddAnsweringReader(host);
    Connect(reader);
    host.Unplug(reader);
    host.PlugBackIn(reader);
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Detect device OK,ver100"), Status(L"Set Command OK!"),
                       Status(kVersionText), InfoBox(kVersionText)}));
    EXPECT_EQ(reader.openCount, 2);
    for (const std::string& problem : host.Problems(1))
        ADD_FAILURE() << problem;

    host.Unplug(reader);  // and still away
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Device disconnected!"), Status(L"No device connected!")}));
    EXPECT_EQ(host.openHandles(), 0);
}

}  // namespace
