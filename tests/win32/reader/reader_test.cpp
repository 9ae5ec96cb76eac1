// The reader commands, Find Device and Disconnect through the settings window over the
// simulated HID host: what the virtual reader in Wine's own stack (tests/e2e) cannot show:
// failing calls, odd report lengths, a transfer that never ends, Windows' removal error.
#include <functional>
#include <set>

#include "app/ui_text.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

const std::string kYes("\0\0Y", 3), kNo("\0\0N", 3), kVersion("\x02\x05V1.0\x03");
const Entries kNoLink = {Status(L"No device connected!")};
const Entries kFound = {Status(L"Detect device OK,ver100"), kSent, Status(L"V1.0"),
                        InfoBox(L"V1.0")};

// The window over a simulated host with a reader, left with nothing held but on purpose.
class Reader : public WindowTest {
protected:
    void TearDown() override { dialog.reset(), ExpectHeld(0); }  // the link released too
    void ExpectHeld(int devices) {
        for (const std::string& problem : host.Problems(devices, leakedEvents))
            ADD_FAILURE() << problem;
    }
    // Finds the reader, which answers 'Y' from then on, and forgets what that showed and sent.
    void Connect() {
        reader.answer = kVersion;
        EXPECT_EQ(Press(IDC_FIND_DEVICE), kFound);
        ExpectHeld(1);
        reader.answer = kYes, reader.writes.clear(), Clear();
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
    const std::wstring zhSent = Status(L"发送数据成功");
    const std::wstring zhSendFailed = ErrorBox(L"Error", L"发送数据超时");
    const std::wstring incomplete = MessageFor(Occasion::ReplacePairIncomplete).english;
    SimulatedDevice& r = reader;
    const struct {
        std::function<void()> set;
        int button;
        Entries shown;
        std::string frame = "";
    } cases[] = {
        // clang-format off
        {[&] { SetChecked({IDC_CR_PACKET, IDC_OUTPUT_TRACK2}, false);
               SetChecked({IDC_CR_TRACK1, IDC_CR_TRACK3}, true), SetText(IDC_TRACK2_END, L"");
               SetText(IDC_TRACK1_START, L"A"), SetText(IDC_TRACK3_END, L"e"); },
         IDC_SET_DEVICE, formatOk, "\x02" "0A?;\xFF+e55\x03"},
        {[] {}, IDC_RESTORE_DEFAULTS, formatOk, "\x02" "0%?;?+?78\x03"},
        {[&] { SetChecked({IDC_ALLOW_PAIR1}, false), EnablePair(2, L"a", L"b"); }, IDC_SET_REPLACE,
         said(L"Set replace character OK!"), "\x02" "1\xFF" "a\xFF" "b\x03"},
        // Transfers that end well but short fail: no empty box from the bytes of a short read.
        {[&] { r.shortBy = 1; }, IDC_GET_VERSION, {kSendFailed, kReceiveFailed}},
        // Answers are judged on what the device's input report holds.
        {[&] { r.inputLength = 4; }, IDC_CANCEL_REPLACE, said(cancelled)},
        {[&] { r.inputLength = 1024, r.answer = kNo; }, IDC_SET_DEVICE, formatFailed},
        {[&] { r.outputLength = 11; }, IDC_CANCEL_REPLACE, said(cancelled)},
        // Readers a command cannot be served on; a parser that refuses it leaves no trace.
        {[&] { r.outputLength = 11; }, IDC_SET_DEVICE, unsupported},
        {[&] { r.inputLength = 1025; }, IDC_CANCEL_REPLACE, unsupported},
        {[&] { r.fails = {"preparsed"}; }, IDC_SET_DEVICE, noDescription},
        {[&] { r.fails = {"caps"}; }, IDC_GET_VERSION, noDescription},
        {[&] { r.gate = HIDP_STATUS_INVALID_REPORT_LENGTH; }, IDC_SET_DEVICE, {}},
        // 900 ms is slow but within the second a read may take. A later answer is kept by the
        // system: it must not count for the next command.
        {[&] { r.answerDelayMs = 900; }, IDC_SET_DEVICE, formatOk},
        {[&] { r.answerDelayMs = 1100; }, IDC_CANCEL_REPLACE, {kSent, kReceiveFailed}},
        {[&] { r.answer = kNo; }, IDC_SET_DEVICE, formatFailed},
        {[&] { Click(hwnd, IDC_RADIO_CHINESE); }, IDC_SET_DEVICE, said(L"设置命令成功", zhSent)},
        {[&] { r.stallWrites = true; }, IDC_CANCEL_REPLACE,
         {zhSendFailed, Status(L"接收数据超时")}},
        // The form is checked before anything is sent.
        {[&] { Click(hwnd, IDC_RADIO_ENGLISH);
               SetChecked({IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3}, false); },
         IDC_SET_DEVICE, {ErrorBox(L"Error", L"You must select any one track to output!")}},
        {[&] { SetChecked({IDC_ALLOW_PAIR2}, false); }, IDC_SET_REPLACE,  // though it holds a pair
         {ErrorBox(L"Error", L"Notice: you must choose any one of them\"Enable replace\"")}},
        {[&] { EnablePair(1, L"a", L""); }, IDC_SET_REPLACE, {ErrorBox(L"Error", incomplete)}},
        // clang-format on
    };
    const std::set<std::wstring> sendSteps = {kSent,  kFormatSent, kSendFailed, kFormatSendFailed,
                                              zhSent, zhSendFailed};
    Connect();
    const SimulatedDevice connected = r;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        r = connected, c.set();
        EXPECT_EQ(Press(c.button), c.shown);
        EXPECT_EQ(r.writes.size(), c.shown.empty() ? 0u : sendSteps.count(c.shown[0]));
        Report sent(65, 0);
        std::copy(c.frame.begin(), c.frame.end(), sent.begin() + 1);
        EXPECT_EQ(c.frame.empty() ? sent : r.writes.at(0), sent);
        ExpectHeld(1);
    }
}

// A transfer that not even cancelling ends keeps its memory and its event: nothing is
// released under the system. The window's end closes the link, which ends the transfer.
TEST_F(Reader, TransferThatNeverEndsIsNotReleasedUnderTheSystem) {
    Connect();
    reader.stallWrites = reader.ignoresCancel = true;
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    leakedEvents = 1;
}

// Find walks past every other interface to the first reader, and reports each fault of the
// device list; enumeration errors are retried at the same index, and end the walk if they
// persist. It holds only what it found.
TEST_F(Reader, FindWalksPastEveryOtherInterfaceAndReportsFaultsOfTheList) {
    reader.present = false;  // here the readers come after other devices
    host.AddDevice(0x5131, 0x2008);
    host.AddDevice(0x1234, 0x0001).fails = {"open"};
    host.AddReader().fails = {"attributes"};
    SimulatedDevice& odd = host.AddDevice(0x1234, 0x5678);
    host.AddReader().answer = kVersion;
    host.AddReader().versionNumber = 0x0200;  // not reached
    const std::wstring noList = L"Get HID device information failed!";
    const struct {
        std::function<void()> set;
        Entries shown;
        std::vector<DWORD> pauses;
    } cases[] = {
        // clang-format off
        {[] {}, kFound, {200}},
        {[&] { host.classDevsFail = true; }, {Status(noList)}, {}},
        {[&] { odd.fails = {"detail"}; }, {ErrorBox(L"Error", noList)}, {}},
        {[&] { host.enumerationFaults[4] = 2; }, kFound, {200}},
        {[&] { host.enumerationFaults[1] = -1; },
         {Status(L"Device disconnected!"), kNoLink[0]}, {200}},
        // clang-format on
    };
    for (const auto& c : cases) {
        host.classDevsFail = false, odd.fails.clear(), host.enumerationFaults.clear();
        c.set();
        EXPECT_EQ(Press(IDC_FIND_DEVICE), c.shown) << &c - cases;
        EXPECT_EQ(timeline.pauses, c.pauses) << &c - cases;
        ExpectHeld(c.shown == kFound);
        Click(hwnd, IDC_DISCONNECT);
    }
}

// A handle whose reader was pulled out and plugged in again no longer answers: Find opens the
// reader anew. Pulled out between commands, the next write fails at once and lets it go.
TEST_F(Reader, DeadHandlesAreLetGoAndFindSearchesAfresh) {
    Connect();
    host.Unplug(reader);
    reader.present = true;
    Connect();
    host.Unplug(reader);
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    ExpectHeld(0);
    EXPECT_EQ(Press(IDC_GET_VERSION), kNoLink);
    reader.present = true;
    Connect();
}

// Pulled out while a transfer is pending: the command's failure texts, then "No device
// connected!"; found again once it is back.
TEST_F(Reader, UnpluggedDuringEachTransferOfEachCommandTheReaderIsLetGo) {
    EnablePair(1, L"a", L"b");
    for (const UnplugCase& c : kUnplugCases) {
        SCOPED_TRACE(testing::Message() << c.button << (c.duringRead ? ", read" : ", write"));
        reader.present = true;
        Connect();
        reader.vanish = c.duringRead ? SimulatedDevice::Vanish::DuringRead
                                     : SimulatedDevice::Vanish::DuringWrite;
        EXPECT_EQ(Press(c.button), c.shown);
        ExpectHeld(0);  // the link is closed, nothing is pending
        EXPECT_EQ(Press(c.button), kNoLink);
        EXPECT_EQ(reader.writes.size(), 1u);
    }
}

}  // namespace
