// The reader commands, Find Device and Disconnect through the settings window over the
// simulated HID host: what the virtual reader in Wine's own stack cannot show (failing calls,
// odd report lengths, a transfer that never ends, the errors Windows gives for a removed
// reader). The common cases against the virtual reader are tested end to end (tests/e2e), the
// reports' bytes natively.
#include <functional>
#include <set>

#include "app/ui_text.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using Answer = SimulatedDevice::Answer;
using Vanish = SimulatedDevice::Vanish;

const Entries kNoLink = {Status(L"No device connected!")};
const Entries kNoReader = {Status(L"Device disconnected!"), Status(L"No device connected!")};
const Entries kFound = {Status(L"Detect device OK,ver100"), kSent, Status(L"V1.0"),
                        InfoBox(L"V1.0")};

// The window over a simulated host listing Wine's mouse and keyboard, left with nothing held.
class Reader : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        host.AddWineDevices();
    }
    void TearDown() override {
        dialog.reset();
        ExpectNothingHeld(0);  // the window has released everything, its link included
    }
    void ExpectNothingHeld(int openDevices) {
        for (const std::string& problem : host.Problems(openDevices))
            ADD_FAILURE() << problem;
    }
    // A reader that answers the version query with "V1.0".
    SimulatedDevice& AddReader() {
        SimulatedDevice& reader = host.AddReader();
        reader.answer = Answer::Version;
        reader.versionText = "V1.0";
        return reader;
    }
    // Finds the reader, which answers 'Y' from then on, and forgets what that showed and sent.
    void Connect(SimulatedDevice& reader) {
        reader.answer = Answer::Version;
        ASSERT_EQ(Press(IDC_FIND_DEVICE).back(), InfoBox(L"V1.0"));
        ExpectNothingHeld(1);
        reader.answer = Answer::Yes;
        reader.writes.clear();
        Clear();
    }

    SimulatedHid host;
};

class Command : public Reader {
protected:
    void SetUp() override {
        Reader::SetUp();
        reader = &AddReader();
        Connect(*reader);
    }
    SimulatedDevice* reader = nullptr;
};

Entries Said(const std::wstring& text, const std::wstring& sent = kSent) {
    return {sent, Status(text), InfoBox(text)};
}
Entries Refused(const std::wstring& text, const std::wstring& sent = kSent) {
    return {sent, Status(text), ErrorBox(L"ERROR", text)};
}

// What each command shows, in order, for each answer and fault of the reader and each refusal
// of the form, and which choices of the form reach the report (bytes 1 to the end byte, where
// given). A command refused before its report goes out sends nothing; none of these loses the
// link.
TEST_F(Command, ShowsTheTextsOfEachOutcomeInOrder) {
    const std::wstring cancelled = L"Cancle replace character command  OK!";
    const Entries unsupported = {Status(L"Device report length not supported!")};
    const Entries noDescription = {Status(L"Could not get HID preparsed data!")};
    const Entries timeouts = {kSendFailed, kReceiveFailed};
    const Entries formatFailed = Refused(L"Set format failed!", kFormatSent);
    const Entries formatOk = Said(L"Set format OK!", kFormatSent);
    const std::wstring chineseSent = Status(L"发送数据成功");
    const std::wstring chineseSendFailed = ErrorBox(L"Error", L"发送数据超时");
    const std::wstring incomplete = MessageFor(Occasion::ReplacePairIncomplete).english;
    SimulatedDevice& r = *reader;
    const struct {
        std::function<void()> set;
        int button;
        Entries shown;
        Report frame = {};
    } cases[] = {
        {[&] {
             for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK3, IDC_CR_PACKET})
                 SetChecked(id, false);
         },
         IDC_SET_DEVICE,
         formatOk,
         {0x02, 0x30, '%', '?', ';', '?', '+', '?', '2', '0', 0x03}},
        {[&] {
             SetChecked(IDC_OUTPUT_TRACK1, true), SetChecked(IDC_OUTPUT_TRACK3, true);
             SetChecked(IDC_OUTPUT_TRACK2, false), SetChecked(IDC_CR_TRACK1, true);
             SetChecked(IDC_CR_TRACK3, true), SetText(IDC_TRACK2_END, L"");
             SetText(IDC_TRACK1_START, L"A"), SetText(IDC_TRACK3_END, L"e");
         },
         IDC_SET_DEVICE,
         formatOk,
         {0x02, 0x30, 'A', '?', ';', 0xFF, '+', 'e', '5', '5', 0x03}},
        {[] {},
         IDC_RESTORE_DEFAULTS,
         formatOk,
         {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0x03}},
        {[&] { SetChecked(IDC_ALLOW_PAIR1, false), EnablePair(2, L"a", L"b"); },
         IDC_SET_REPLACE,
         Said(L"Set replace character OK!"),
         {0x02, 0x31, 0xFF, 'a', 0xFF, 'b', 0x03}},
        {[&] { r.answer = Answer::No; }, IDC_SET_REPLACE,
         Refused(L"Set replace character failed!")},
        {[] {}, IDC_CANCEL_REPLACE, Said(cancelled)},
        {[] {}, IDC_GET_VERSION, Said(L"")},  // an answer without text
        // Transfers that end well but short fail: no empty box from the bytes of a short read.
        {[&] { r.shortBy = 1; }, IDC_GET_VERSION, timeouts},
        // Answers are judged on what the device's input report holds.
        {[&] { r.inputLength = 4; }, IDC_CANCEL_REPLACE, Said(cancelled)},
        {[&] { r.inputLength = 1024, r.answer = Answer::No; }, IDC_SET_DEVICE, formatFailed},
        {[&] { r.outputLength = 11; }, IDC_CANCEL_REPLACE, Said(cancelled)},
        // Readers a command cannot be served on; a parser that refuses it leaves no trace.
        {[&] { r.outputLength = 11; }, IDC_SET_DEVICE, unsupported},
        {[&] { r.inputLength = 1025; }, IDC_CANCEL_REPLACE, unsupported},
        {[&] { r.preparsedFails = true; }, IDC_SET_DEVICE, noDescription},
        {[&] { r.capsFail = true; }, IDC_GET_VERSION, noDescription},
        {[&] { r.gate = HIDP_STATUS_INVALID_REPORT_LENGTH; }, IDC_SET_DEVICE, {}},
        // 900 ms is slow but within the second a read may take. A later answer is kept by the
        // system, whether its queue can be flushed (Windows) or not (Wine): it must not count
        // for the next command.
        {[&] { r.answerDelayMs = 900; }, IDC_SET_DEVICE, formatOk},
        {[&] { host.flushSupported = true, r.answerDelayMs = 1100; },
         IDC_CANCEL_REPLACE,
         {kSent, kReceiveFailed}},
        {[&] { r.answer = Answer::No; }, IDC_SET_DEVICE, formatFailed},
        {[&] { Click(hwnd, IDC_RADIO_CHINESE); }, IDC_SET_DEVICE,
         Said(L"设置命令成功", chineseSent)},
        {[&] { r.stallWrites = true; },
         IDC_CANCEL_REPLACE,
         {chineseSendFailed, Status(L"接收数据超时")}},
        // The form is checked before anything is sent.
        {[&] {
             Click(hwnd, IDC_RADIO_ENGLISH);
             for (int id : {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3})
                 SetChecked(id, false);
         },
         IDC_SET_DEVICE,
         {ErrorBox(L"Error", L"You must select any one track to output!")}},
        {[&] { SetChecked(IDC_ALLOW_PAIR2, false); },  // though its boxes hold characters
         IDC_SET_REPLACE,
         {ErrorBox(L"Error", L"Notice: you must choose any one of them\"Enable replace\"")}},
        {[&] { EnablePair(1, L"a", L""); }, IDC_SET_REPLACE, {ErrorBox(L"Error", incomplete)}},
        {[&] { EnablePair(1, L"a", L"b"), EnablePair(2, L"", L"y"); },
         IDC_SET_REPLACE,
         {ErrorBox(L"Error", incomplete)}},
    };
    const std::set<std::wstring> sendSteps = {
        kSent, kFormatSent, kSendFailed, kFormatSendFailed, chineseSent, chineseSendFailed};
    const SimulatedDevice connected = r;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        r = connected;
        c.set();
        EXPECT_EQ(Press(c.button), c.shown);
        EXPECT_EQ(r.writes.size(), c.shown.empty() ? 0u : sendSteps.count(c.shown[0]));
        if (!c.frame.empty()) {
            Report sent(65, 0);
            std::copy(c.frame.begin(), c.frame.end(), sent.begin() + 1);
            EXPECT_EQ(r.writes.at(0), sent);
        }
        ExpectNothingHeld(1);
    }
}

// A transfer that not even cancelling ends keeps its memory and its event: nothing is
// released under the system. The window's end closes the link, which ends the transfer.
TEST_F(Command, TransferThatNeverEndsIsNotReleasedUnderTheSystem) {
    reader->stallWrites = reader->ignoresCancel = true;
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    dialog.reset();
    EXPECT_EQ(host.CloseLeftoverEvents(), 1);
}

// Find walks past every other interface to the first reader, and reports each fault of the
// device list; enumeration errors are retried at the same index, and end the walk if they
// persist. It holds only what it found.
TEST_F(Reader, FindWalksPastEveryOtherInterfaceAndReportsFaultsOfTheList) {
    SimulatedDevice& otherProduct = host.AddDevice(0x5131, 0x2008);
    SimulatedDevice& locked = host.AddDevice(0x1234, 0x0001);
    locked.opens = false;
    SimulatedDevice& mute = host.AddDevice(0x5131, 0x2007);
    mute.attributesFail = true;
    SimulatedDevice& odd = host.AddDevice(0x1234, 0x5678);
    SimulatedDevice& reader = AddReader();
    reader.versionNumber = 0x0102;
    const SimulatedDevice& second = AddReader();
    const Entries found = {Status(L"Detect device OK,ver102"), kSent, Status(L"V1.0"),
                           InfoBox(L"V1.0")};
    const std::wstring noList = L"Get HID device information failed!";
    const struct {
        std::function<void()> set;
        Entries shown;
        std::vector<DWORD> pauses;
    } cases[] = {
        {[] {}, found, {200}},
        {[&] { host.classDevsFail = true; }, {Status(noList)}, {}},
        {[&] { odd.detailFails = true; }, {ErrorBox(L"Error", noList)}, {}},
        {[&] {
             host.enumerationFaults[6] = {ERROR_INVALID_DATA, 2};
         },
         found,
         {200}},
        {[&] {
             host.enumerationFaults[1] = {ERROR_INVALID_DATA, -1};
         },
         kNoReader,
         {200}},
    };
    for (const auto& c : cases) {
        host.classDevsFail = odd.detailFails = false;
        host.enumerationFaults.clear();
        c.set();
        EXPECT_EQ(Press(IDC_FIND_DEVICE), c.shown) << &c - cases;
        EXPECT_EQ(timeline.pauses, c.pauses);
        ExpectNothingHeld(c.shown == found ? 1 : 0);
        Click(hwnd, IDC_DISCONNECT);
    }
    for (const SimulatedDevice* device : {&otherProduct, &locked, &mute})
        EXPECT_EQ(device->openCount, 3) << device->path;  // all but the list's faults
    EXPECT_EQ(reader.openCount, 2);
    EXPECT_EQ(second.openCount, 0);
}

// A handle whose reader was pulled out and plugged in again no longer answers: Find opens the
// reader anew. Pulled out between commands, the next write fails at once and lets the reader
// go; Find searches afresh, in Chinese too.
TEST_F(Reader, DeadHandlesAreLetGoAndFindSearchesAfresh) {
    SimulatedDevice& reader = AddReader();
    Connect(reader);
    host.Unplug(reader);
    host.PlugBackIn(reader);
    reader.answer = Answer::Version;
    EXPECT_EQ(Press(IDC_FIND_DEVICE), kFound);
    EXPECT_EQ(reader.openCount, 2);
    ExpectNothingHeld(1);
    host.Unplug(reader);
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    ExpectNothingHeld(0);
    EXPECT_EQ(Press(IDC_GET_VERSION), kNoLink);
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(Press(IDC_FIND_DEVICE), (Entries{Status(L"设备未连接!"), Status(L"设备尚未连接!")}));
    host.PlugBackIn(reader);
    EXPECT_EQ(Press(IDC_FIND_DEVICE).back(), InfoBox(L"V1.0"));
    EXPECT_EQ(reader.writes.size(), 2u);  // version queries: the format never reached it
}

// Pulled out while a transfer is pending, which ends with the error Windows or Wine gives: the
// command's failure texts, then "No device connected!"; found again once it is back.
TEST_F(Reader, UnpluggedDuringEachTransferOfEachCommandTheReaderIsLetGo) {
    SimulatedDevice& reader = AddReader();
    EnablePair(1, L"a", L"b");
    for (DWORD removalError : {ERROR_DEVICE_NOT_CONNECTED, ERROR_ACCESS_DENIED}) {
        host.removalError = removalError;
        for (const UnplugCase& c : kUnplugCases) {
            SCOPED_TRACE(testing::Message() << removalError << ", button " << c.button
                                            << (c.duringRead ? ", read" : ", write"));
            host.PlugBackIn(reader);
            Connect(reader);
            if (HasFatalFailure())
                return;
            reader.vanish = c.duringRead ? Vanish::DuringRead : Vanish::DuringWrite;
            EXPECT_EQ(Press(c.button), c.shown);
            ExpectNothingHeld(0);  // the link is closed, nothing is pending
            EXPECT_EQ(Press(c.button), kNoLink);
            EXPECT_EQ(reader.writes.size(), 1u);
        }
    }
}

}  // namespace
