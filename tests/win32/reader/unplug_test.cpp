// A reader pulled out while a command's write or read is pending, a slow reader, and
// transfers that end short: what the window shows, and what the exchange keeps of it.
#include "reader/reader_link.h"
#include "reader/report_exchange.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using Vanish = SimulatedDevice::Vanish;

class Unplug : public ReaderWindow {
protected:
    void SetUp() override {
        ReaderWindow::SetUp();
        host.AddWineDevices();
        reader = &AddReader();
        EnablePair(1, L"a", L"b");
    }
    SimulatedDevice* reader = nullptr;
};

TEST_F(Unplug, DuringEachTransferOfEachCommandEndsInItsFailureAndLetsTheReaderGo) {
    // The errors a removed device's transfers end with on Windows and under Wine.
    for (DWORD removalError : {ERROR_DEVICE_NOT_CONNECTED, ERROR_ACCESS_DENIED}) {
        host.removalError = removalError;
        for (const UnplugCase& c : kUnplugCases) {
            SCOPED_TRACE(testing::Message() << removalError << ", button " << c.button
                                            << (c.duringRead ? ", read" : ", write"));
            host.PlugBackIn(*reader);
            reader->answer = SimulatedDevice::Answer::Version;
            Connect(*reader);  // found again once it is back
            if (HasFatalFailure())
                return;
            reader->answer = SimulatedDevice::Answer::Yes;
            reader->vanish = c.duringRead ? Vanish::DuringRead : Vanish::DuringWrite;
            EXPECT_EQ(Press(c.button), c.shown);
            ExpectNothingHeld(0);  // the link is closed, nothing is pending
            EXPECT_EQ(Press(c.button), (Entries{Status(L"No device connected!")}));
            EXPECT_EQ(reader->writes.size(), 1u);
        }
    }
}

// 900 ms is slow but within the second each read may take; 1100 ms is not. Neither means
// that the reader is gone.
TEST_F(Unplug, SlowReaderKeepsItsLink) {
    Connect(*reader);
    reader->answer = SimulatedDevice::Answer::Yes;
    reader->answerDelayMs = 900;
    EXPECT_EQ(Press(IDC_SET_DEVICE),
              (Entries{kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")}));
    reader->answerDelayMs = 1100;
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE), (Entries{kSent, kReceiveFailed}));
    ExpectNothingHeld(1);
    reader->answerDelayMs = 0;
    reader->answer = SimulatedDevice::Answer::No;
    EXPECT_EQ(Press(IDC_SET_REPLACE).back(), ErrorBox(L"ERROR", L"Set replace character failed!"));
}

// A transfer that ends well but moves less than a whole report is no transfer: no success
// text, and the bytes of a short read are never taken for an answer.
TEST_F(Unplug, ShortTransfersAreFailuresButKeepTheLink) {
    Connect(*reader);
    reader->shortBy = 1;
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSendFailed, kReceiveFailed}));  // no empty box
    ExpectNothingHeld(1);
    reader->shortBy = 0;
    EXPECT_EQ(Press(IDC_GET_VERSION).back(), InfoBox(L"V1.0"));
}

// --- The exchange's own record ---------------------------------------------------------------

using Operation = reader::ReportExchange::Operation;
using Failures = std::vector<reader::ReportExchange::Failure>;
constexpr Operation kWrite = Operation::Write;
constexpr Operation kRead = Operation::Read;
constexpr DWORD kGone = ERROR_DEVICE_NOT_CONNECTED;

TEST(ExchangeRecord, KeepsEveryFailedTransferAndItsSystemError) {
    const struct {
        void (*configure)(SimulatedHid&, SimulatedDevice&);
        Failures failures;
        bool gone;
    } cases[] = {
        {[](SimulatedHid&, SimulatedDevice&) {}, {}, false},
        {[](SimulatedHid&, SimulatedDevice& d) { d.vanish = Vanish::DuringWrite; },
         {{kWrite, kGone}, {kRead, kGone}},
         true},
        {[](SimulatedHid&, SimulatedDevice& d) { d.vanish = Vanish::DuringRead; },
         {{kRead, kGone}},
         true},
        {[](SimulatedHid& h, SimulatedDevice& d) {
             h.removalError = ERROR_ACCESS_DENIED;
             d.vanish = Vanish::DuringRead;
         },
         {{kRead, ERROR_ACCESS_DENIED}},
         true},
        {[](SimulatedHid&, SimulatedDevice& d) { d.answer = SimulatedDevice::Answer::Silent; },
         {{kRead, WAIT_TIMEOUT}},
         false},
        {[](SimulatedHid&, SimulatedDevice& d) {
             d.stallWrites = true;
             d.answer = SimulatedDevice::Answer::Silent;
         },
         {{kWrite, WAIT_TIMEOUT}, {kRead, WAIT_TIMEOUT}},
         false},
        {[](SimulatedHid&, SimulatedDevice& d) { d.shortBy = 2; },
         {{kWrite, ERROR_INVALID_DATA}, {kRead, ERROR_INVALID_DATA}},
         false},
        {[](SimulatedHid&, SimulatedDevice& d) { d.failWith = ERROR_GEN_FAILURE; },
         {{kWrite, ERROR_GEN_FAILURE}, {kRead, WAIT_TIMEOUT}},
         false},
    };
    for (const auto& c : cases) {
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
            EXPECT_EQ(exchange.failures(), c.failures) << &c - cases;
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
