// A reader pulled out while a command's write or read is pending, a slow reader, and
// transfers that end short: what the window shows, and what the exchange keeps of it.
#include "reader/reader_link.h"
#include "reader/report_exchange.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using Vanish = SimulatedDevice::Vanish;

const std::wstring kFormatSent = Status(L"Send data success");
const std::wstring kSent = Status(L"Set Command OK!");
const std::wstring kFormatSendFailed = Status(L"Send data timeout!");
const std::wstring kSendFailed = ErrorBox(L"Error", L"Send data timeout!");
const std::wstring kFormatReceiveFailed = Status(L"Receive data timeout");
const std::wstring kFormatReceiveBox = ErrorBox(L"ERROR", L"Receive data timeout");
const std::wstring kReceiveFailed = Status(L"Receive data timeout!");

// The errors the system ends a removed device's transfers with.
struct Platform {
    const char* name;
    DWORD removalError;
};
const Platform kPlatforms[] = {{"Windows", ERROR_DEVICE_NOT_CONNECTED},
                               {"Wine", ERROR_ACCESS_DENIED}};

struct UnplugCase {
    const char* name;
    int button;
    Vanish when;
    Entries expected;
};

const UnplugCase kUnplugCases[] = {
    {"format, during the write",
     IDC_SET_DEVICE,
     Vanish::DuringWrite,
     {kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox}},
    {"format, during the read",
     IDC_SET_DEVICE,
     Vanish::DuringRead,
     {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox}},
    {"version, during the write",
     IDC_GET_VERSION,
     Vanish::DuringWrite,
     {kSendFailed, kReceiveFailed}},
    {"version, during the read", IDC_GET_VERSION, Vanish::DuringRead, {kSent, kReceiveFailed}},
    {"replace, during the write",
     IDC_SET_REPLACE,
     Vanish::DuringWrite,
     {kSendFailed, kReceiveFailed}},
    {"replace, during the read", IDC_SET_REPLACE, Vanish::DuringRead, {kSent, kReceiveFailed}},
    {"cancel, during the write",
     IDC_CANCEL_REPLACE,
     Vanish::DuringWrite,
     {kSendFailed, kReceiveFailed}},
    {"cancel, during the read", IDC_CANCEL_REPLACE, Vanish::DuringRead, {kSent, kReceiveFailed}},
};

class Unplug : public ReaderWindow {
protected:
    void SetUp() override {
        ReaderWindow::SetUp();
        if (HasFatalFailure())
            return;
        host.AddWineDevices();
        reader = &host.AddReader();
        reader->answer = SimulatedDevice::Answer::Version;
        reader->versionText = "V1.0";
        SetChecked(IDC_ALLOW_PAIR1, true);
        SetText(IDC_PAIR1_CHAR, L"a");
        SetText(IDC_PAIR1_REPLACEMENT, L"b");
    }

    SimulatedDevice* reader = nullptr;
};

TEST_F(Unplug, DuringEachTransferOfEachCommandEndsInItsFailureAndLetsTheReaderGo) {
    for (const Platform& platform : kPlatforms) {
        host.removalError = platform.removalError;
        for (const UnplugCase& c : kUnplugCases) {
            SCOPED_TRACE(std::string(platform.name) + ": " + c.name);
            host.PlugBackIn(*reader);
            Clear();
            Connect(*reader);
            if (HasFatalFailure())
                return;
            reader->answer = SimulatedDevice::Answer::Yes;
            reader->vanish = c.when;
            Click(hwnd, c.button);
            EXPECT_EQ(timeline.entries, c.expected);
            // The link is closed: no handle is left, nothing is pending.
            for (const std::string& problem : host.Problems(0))
                ADD_FAILURE() << problem;

            Clear();
            Click(hwnd, c.button);
            EXPECT_EQ(timeline.entries, (Entries{Status(L"No device connected!")}));
            EXPECT_EQ(reader->writes.size(), 1u);
            reader->answer = SimulatedDevice::Answer::Version;
        }
    }
    // Once it is back, Find finds it again.
    host.PlugBackIn(*reader);
    Clear();
    Click(hwnd, IDC_FIND_DEVICE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"V1.0"));
}

// 900 ms is slow but within the second each read may take; 1100 ms is not. Neither means
// that the reader is gone.
TEST_F(Unplug, SlowReaderKeepsItsLink) {
    Connect(*reader);
    reader->answer = SimulatedDevice::Answer::Yes;
    reader->answerDelayMs = 900;
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")}));

    reader->answerDelayMs = 1100;
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{kSent, kReceiveFailed}));
    for (const std::string& problem : host.Problems(1))
        ADD_FAILURE() << problem;

    reader->answerDelayMs = 0;
    reader->answer = SimulatedDevice::Answer::No;
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries.back(), ErrorBox(L"ERROR", L"Set replace character failed!"));
}

// A transfer that ends well but moves less than a whole report is no transfer: no success
// text, and the bytes of a short read are never taken for an answer.
TEST_F(Unplug, ShortTransfersAreFailuresButKeepTheLink) {
    Connect(*reader);
    reader->answer = SimulatedDevice::Answer::Yes;
    reader->shortBy = 1;
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox}));
    reader->answer = SimulatedDevice::Answer::Version;
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{kSendFailed, kReceiveFailed}));  // no empty box
    for (const std::string& problem : host.Problems(1))
        ADD_FAILURE() << problem;

    reader->shortBy = 0;
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"V1.0"));
}

// --- The exchange's own record ---------------------------------------------------------------

using Operation = reader::ReportExchange::Operation;
using Failures = std::vector<reader::ReportExchange::Failure>;
constexpr Operation kWrite = Operation::Write;
constexpr Operation kRead = Operation::Read;

struct RecordCase {
    const char* name;
    void (*configure)(SimulatedHid&, SimulatedDevice&);
    Failures failures;
    bool gone;
};

void Answers(SimulatedHid&, SimulatedDevice&) {}
void GoesDuringWrite(SimulatedHid&, SimulatedDevice& d) {
    d.vanish = Vanish::DuringWrite;
}
void GoesDuringRead(SimulatedHid&, SimulatedDevice& d) {
    d.vanish = Vanish::DuringRead;
}
void GoesDuringReadUnderWine(SimulatedHid& h, SimulatedDevice& d) {
    h.removalError = ERROR_ACCESS_DENIED;
    d.vanish = Vanish::DuringRead;
}
void StaysSilent(SimulatedHid&, SimulatedDevice& d) {
    d.answer = SimulatedDevice::Answer::Silent;
}
void StallsAndStaysSilent(SimulatedHid&, SimulatedDevice& d) {
    d.stallWrites = true;
    d.answer = SimulatedDevice::Answer::Silent;
}
void MovesTooLittle(SimulatedHid&, SimulatedDevice& d) {
    d.shortBy = 2;
}
void FailsOneReport(SimulatedHid&, SimulatedDevice& d) {
    d.failWith = ERROR_GEN_FAILURE;
}

const RecordCase kRecordCases[] = {
    {"answers", &Answers, {}, false},
    {"pulled out during the write (Windows)",
     &GoesDuringWrite,
     {{kWrite, ERROR_DEVICE_NOT_CONNECTED}, {kRead, ERROR_DEVICE_NOT_CONNECTED}},
     true},
    {"pulled out during the read (Windows)",
     &GoesDuringRead,
     {{kRead, ERROR_DEVICE_NOT_CONNECTED}},
     true},
    {"pulled out during the read (Wine)",
     &GoesDuringReadUnderWine,
     {{kRead, ERROR_ACCESS_DENIED}},
     true},
    {"silent", &StaysSilent, {{kRead, WAIT_TIMEOUT}}, false},
    {"write stalls", &StallsAndStaysSilent, {{kWrite, WAIT_TIMEOUT}, {kRead, WAIT_TIMEOUT}}, false},
    {"short transfers",
     &MovesTooLittle,
     {{kWrite, ERROR_INVALID_DATA}, {kRead, ERROR_INVALID_DATA}},
     false},
    {"device fails the write",
     &FailsOneReport,
     {{kWrite, ERROR_GEN_FAILURE}, {kRead, WAIT_TIMEOUT}},
     false},
};

TEST(ExchangeRecord, KeepsEveryFailedTransferAndItsSystemError) {
    for (const RecordCase& c : kRecordCases) {
        SCOPED_TRACE(c.name);
        SimulatedHid host;
        SimulatedDevice& reader = host.AddReader();
        reader::ReaderLink link;
        ASSERT_EQ(link.Find().outcome, reader::ReaderLink::Outcome::Found);
        c.configure(host, reader);
        {
            reader::ReportExchange exchange(link.handle());
            ASSERT_EQ(exchange.Prepare(reader::ReaderCommand::CancelReplace, {}),
                      reader::ReportExchange::Preparation::Ready);
            const bool sent = exchange.Send();
            const bool received = exchange.Receive();
            EXPECT_EQ(exchange.failures(), c.failures);
            for (const auto& failure : exchange.failures())
                EXPECT_FALSE(failure.operation == kWrite ? sent : received);
            EXPECT_EQ(exchange.deviceGone(), c.gone);
            EXPECT_EQ(exchange.answerLength(), received ? 65u : 0u);
        }
        link.Close();
        for (const std::string& problem : host.Problems(0))
            ADD_FAILURE() << problem;
    }
}

}  // namespace
