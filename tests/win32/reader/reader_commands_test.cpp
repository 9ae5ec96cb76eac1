// The four reader commands through the settings window's buttons, over a simulated reader:
// which choices of the form reach the report, and what the window shows for every answer.
// The encoding of the reports itself is tested natively.
#include <algorithm>

#include "app/ui_text.h"
#include "reader_window.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

using Answer = SimulatedDevice::Answer;

class ReaderCommand : public ReaderWindow {
protected:
    void SetUp() override {
        ReaderWindow::SetUp();
        if (HasFatalFailure())
            return;
        reader = &AddReader();
        Connect(*reader);
        reader->answer = Answer::Yes;
    }
    // Bytes 1 up to and including the end byte of the last report sent.
    Report LastFrame() const {
        if (reader->writes.empty())
            return {};
        const Report& report = reader->writes.back();
        const auto end = std::find(report.begin() + 1, report.end(), 0x03);
        return Report(report.begin() + 1, end == report.end() ? end : end + 1);
    }

    SimulatedDevice* reader = nullptr;
};

const Report kDefaultFormat = {0x02, 0x30, '%', '?', ';', '?', '+', '?', '7', '8', 0x03};

// Each choice of the form, and each button, lands in its place of the report.
TEST_F(ReaderCommand, ReportsFollowTheForm) {
    const struct {
        std::vector<std::pair<int, bool>> checks;
        std::vector<std::pair<int, const wchar_t*>> texts;
        int button;
        Report frame;
    } cases[] = {
        {{}, {}, IDC_SET_DEVICE, kDefaultFormat},
        {{{IDC_OUTPUT_TRACK1, false}, {IDC_OUTPUT_TRACK3, false}, {IDC_CR_PACKET, false}},
         {},
         IDC_SET_DEVICE,
         {0x02, 0x30, '%', '?', ';', '?', '+', '?', '2', '0', 0x03}},
        {{{IDC_OUTPUT_TRACK1, true},
          {IDC_OUTPUT_TRACK2, false},
          {IDC_OUTPUT_TRACK3, true},
          {IDC_CR_TRACK1, true},
          {IDC_CR_TRACK3, true}},
         {{IDC_TRACK2_END, L""}, {IDC_TRACK1_START, L"A"}, {IDC_TRACK3_END, L"e"}},
         IDC_SET_DEVICE,
         {0x02, 0x30, 'A', '?', ';', 0xFF, '+', 'e', '5', '5', 0x03}},
        {{}, {}, IDC_RESTORE_DEFAULTS, kDefaultFormat},  // resets the form, then sends
        {{{IDC_ALLOW_PAIR2, true}},
         {{IDC_PAIR2_CHAR, L"a"}, {IDC_PAIR2_REPLACEMENT, L"b"}},
         IDC_SET_REPLACE,
         {0x02, 0x31, 0xFF, 'a', 0xFF, 'b', 0x03}},
        {{{IDC_ALLOW_PAIR1, true}},
         {{IDC_PAIR1_CHAR, L"a"},
          {IDC_PAIR1_REPLACEMENT, L"b"},
          {IDC_PAIR2_CHAR, L"x"},
          {IDC_PAIR2_REPLACEMENT, L"y"}},
         IDC_SET_REPLACE,
         {0x02, 0x31, 'a', 'x', 'b', 'y', 0x03}},
        {{}, {}, IDC_CANCEL_REPLACE, {0x02, 0x32, 0x03}},
        {{}, {}, IDC_GET_VERSION, {0x02, 0x05, 0x03}},
    };
    for (const auto& c : cases) {
        for (const auto& [id, checked] : c.checks)
            SetChecked(id, checked);
        for (const auto& [id, text] : c.texts)
            SetText(id, text);
        Click(hwnd, c.button);
        EXPECT_EQ(LastFrame(), c.frame) << "button " << c.button;
        EXPECT_EQ(reader->writes.back().size(), 65u);
        EXPECT_EQ(reader->readSizes.back(), 65u);  // a read asks for the input report length
    }
    // Cancelling the replacements leaves the form as it was.
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR1));
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR2_REPLACEMENT), L"y");
}

struct Outcome {
    const char* name;
    void (*configure)(SimulatedDevice&);
    Entries format, replace, cancel;
};

const Outcome kOutcomes[] = {
    {"accepts",
     [](SimulatedDevice& d) { d.answer = Answer::Yes; },
     {kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")},
     {kSent, Status(L"Set replace character OK!"), InfoBox(L"Set replace character OK!")},
     {kSent, Status(L"Cancle replace character command  OK!"),
      InfoBox(L"Cancle replace character command  OK!")}},
    {"refuses",
     [](SimulatedDevice& d) { d.answer = Answer::No; },
     {kFormatSent, Status(L"Set format failed!"), ErrorBox(L"ERROR", L"Set format failed!")},
     {kSent, Status(L"Set replace character failed!"),
      ErrorBox(L"ERROR", L"Set replace character failed!")},
     {kSent, Status(L"Cancle replace character command failed!"),
      ErrorBox(L"ERROR", L"Cancle replace character command failed!")}},
    {"answers another byte",
     [](SimulatedDevice& d) {
         d.answer = Answer::Byte;
         d.answerByte = 'y';
     },
     {kFormatSent},
     {kSent},
     {kSent}},
    {"stays silent",
     [](SimulatedDevice& d) { d.answer = Answer::Silent; },
     {kFormatSent, kFormatReceiveFailed, kFormatReceiveBox},
     {kSent, kReceiveFailed},
     {kSent, kReceiveFailed}},
    {"stalls the write",
     [](SimulatedDevice& d) { d.stallWrites = true; },
     {kFormatSendFailed, kFormatReceiveFailed, kFormatReceiveBox},
     {kSendFailed, kReceiveFailed},
     {kSendFailed, kReceiveFailed}},
};

TEST_F(ReaderCommand, EachOutcomeShowsItsTextsInOrder) {
    EnablePair(1, L"a", L"b");
    for (const Outcome& outcome : kOutcomes) {
        SCOPED_TRACE(outcome.name);
        outcome.configure(*reader);
        EXPECT_EQ(Press(IDC_SET_DEVICE), outcome.format);
        EXPECT_EQ(Press(IDC_SET_REPLACE), outcome.replace);
        EXPECT_EQ(Press(IDC_CANCEL_REPLACE), outcome.cancel);
        EXPECT_EQ(reader->writes.size(), 3u);
        reader->writes.clear();
        ExpectNothingHeld(1);
    }
}

TEST_F(ReaderCommand, VersionQueryShowsTheTextOrItsTimeouts) {
    reader->answer = Answer::Version;
    reader->versionText = "ZP350-V3.7";
    EXPECT_EQ(Press(IDC_GET_VERSION),
              (Entries{kSent, Status(L"ZP350-V3.7"), InfoBox(L"ZP350-V3.7")}));
    reader->answer = Answer::Yes;  // no text at all: an empty text and an empty box
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, Status(L""), InfoBox(L"")}));
    reader->answer = Answer::Silent;
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSent, kReceiveFailed}));
    reader->stallWrites = true;
    EXPECT_EQ(Press(IDC_GET_VERSION), (Entries{kSendFailed, kReceiveFailed}));
}

TEST_F(ReaderCommand, ChineseTextsFollowTheLanguage) {
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(Press(IDC_SET_DEVICE), (Entries{Status(L"发送数据成功"), Status(L"设置命令成功"),
                                              InfoBox(L"设置命令成功")}));
    reader->stallWrites = true;
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE),
              (Entries{ErrorBox(L"Error", L"发送数据超时"), Status(L"接收数据超时")}));
}

TEST_F(ReaderCommand, ShortAnswersAreJudgedOnlyByWhatArrived) {
    reader->inputLength = 3;  // no byte 3 at all
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE), (Entries{kSent}));
    reader->inputLength = 4;
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE).back(), InfoBox(L"Cancle replace character command  OK!"));
    EXPECT_EQ(reader->readSizes.back(), 4u);
}

TEST_F(ReaderCommand, FormChecksComeInOrderAndSendNothing) {
    SetChecked(IDC_OUTPUT_TRACK1, false);
    SetChecked(IDC_OUTPUT_TRACK2, false);
    SetChecked(IDC_OUTPUT_TRACK3, false);
    EXPECT_EQ(Press(IDC_SET_DEVICE),
              (Entries{ErrorBox(L"Error", L"You must select any one track to output!")}));
    SetText(IDC_PAIR1_CHAR, L"a");  // neither pair chosen, though the boxes hold characters
    SetText(IDC_PAIR1_REPLACEMENT, L"b");
    EXPECT_EQ(Press(IDC_SET_REPLACE),
              (Entries{ErrorBox(L"Error",
                                L"Notice: you must choose any one of them\"Enable "
                                L"replace\"")}));
    const Entries incomplete = {
        ErrorBox(L"Error", MessageFor(Occasion::ReplacePairIncomplete).english)};
    EnablePair(1, L"a", L"");
    EXPECT_EQ(Press(IDC_SET_REPLACE), incomplete);
    EnablePair(1, L"a", L"b");
    EnablePair(2, L"", L"y");
    EXPECT_EQ(Press(IDC_SET_REPLACE), incomplete);
    EXPECT_TRUE(reader->writes.empty());

    // Without a reader the link is checked before the form.
    Click(hwnd, IDC_DISCONNECT);
    for (int button : {IDC_SET_DEVICE, IDC_GET_VERSION, IDC_SET_REPLACE, IDC_CANCEL_REPLACE})
        EXPECT_EQ(Press(button), (Entries{Status(L"No device connected!")})) << button;
    Click(hwnd, IDC_RADIO_CHINESE);
    EXPECT_EQ(Press(IDC_SET_REPLACE), (Entries{Status(L"设备尚未连接!")}));
    EXPECT_TRUE(reader->writes.empty());
}

// A reader the command cannot be served on: nothing is sent.
TEST_F(ReaderCommand, DeviceFaultsEndTheCommandBeforeItIsSent) {
    const Entries noDescription = {Status(L"Could not get HID preparsed data!")};
    const Entries unsupported = {Status(L"Device report length not supported!")};
    const struct {
        void (*configure)(SimulatedDevice&);
        int button;
        Entries shown;
    } cases[] = {
        {[](SimulatedDevice& d) { d.preparsedFails = true; }, IDC_SET_DEVICE, noDescription},
        {[](SimulatedDevice& d) { d.capsFail = true; }, IDC_GET_VERSION, noDescription},
        {[](SimulatedDevice& d) { d.outputLength = 11; }, IDC_SET_DEVICE, unsupported},
        {[](SimulatedDevice& d) { d.outputLength = 7; }, IDC_SET_REPLACE, unsupported},
        {[](SimulatedDevice& d) { d.outputLength = 3; }, IDC_GET_VERSION, unsupported},
        {[](SimulatedDevice& d) { d.inputLength = 1025; }, IDC_CANCEL_REPLACE, unsupported},
        // A parser that refuses the report ends the command without a trace.
        {[](SimulatedDevice& d) { d.gate = HIDP_STATUS_INVALID_REPORT_LENGTH; },
         IDC_SET_DEVICE,
         {}},
    };
    EnablePair(1, L"a", L"b");
    for (const auto& c : cases) {
        reader->preparsedFails = reader->capsFail = false;
        reader->outputLength = reader->inputLength = 65;
        reader->gate = HIDP_STATUS_SUCCESS;
        c.configure(*reader);
        EXPECT_EQ(Press(c.button), c.shown) << "button " << c.button;
        EXPECT_TRUE(reader->writes.empty());
    }
    // The bounds are the edges: 11 serves the cancel command, 1024 is the largest answer.
    reader->gate = HIDP_STATUS_SUCCESS;
    reader->outputLength = 11;
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE).back(), InfoBox(L"Cancle replace character command  OK!"));
    reader->outputLength = 65;
    reader->inputLength = 1024;
    reader->answer = Answer::No;
    EXPECT_EQ(Press(IDC_CANCEL_REPLACE).back(),
              ErrorBox(L"ERROR", L"Cancle replace character command failed!"));
}

// An answer that comes after its read gave up stays buffered by the system; it must not be
// taken for the answer to the next command.
TEST_F(ReaderCommand, LateAnswerNeverCountsForTheNextCommand) {
    for (bool flushWorks : {false, true}) {
        host.flushSupported = flushWorks;
        reader->answerLate = true;
        reader->answer = Answer::Yes;
        EXPECT_EQ(Press(IDC_CANCEL_REPLACE), (Entries{kSent, kReceiveFailed})) << flushWorks;
        reader->answerLate = false;
        reader->answer = Answer::No;
        EXPECT_EQ(Press(IDC_SET_DEVICE).back(), ErrorBox(L"ERROR", L"Set format failed!"));
    }
}

// A transfer that not even cancelling ends keeps its memory: nothing is released under it.
TEST_F(ReaderCommand, TransferThatNeverEndsIsNotReleasedUnderTheSystem) {
    reader->stallWrites = true;
    reader->ignoresCancel = true;
    EXPECT_EQ(Press(IDC_SET_DEVICE), kUnplugCases[0].shown);
    EXPECT_TRUE(host.faults().empty());
    // The window goes on working; its end closes the link, which ends the transfer.
    dialog.reset();
    EXPECT_TRUE(host.faults().empty());
    EXPECT_EQ(host.preparsedOutstanding(), 0);
    // Left open on purpose: the event of the transfer that never ended.
    EXPECT_EQ(host.CloseLeftoverEvents(), 1);
}

}  // namespace
