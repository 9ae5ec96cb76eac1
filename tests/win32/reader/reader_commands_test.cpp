// The four reader commands through the settings window's buttons, over a simulated reader:
// the reports they send, byte for byte, and what the window shows for every kind of answer.
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
        reader = &host.AddReader();
        reader->answer = Answer::Version;
        reader->versionText = "V1.0";
        Connect(*reader);
        reader->answer = Answer::Yes;
    }
    // Bytes 1 up to and including the end byte of the last report sent.
    Report LastFrame() const {
        if (reader->writes.empty())
            return {};
        const Report& report = reader->writes.back();
        Report frame;
        for (std::size_t i = 1; i < report.size(); ++i) {
            frame.push_back(report[i]);
            if (report[i] == 0x03)
                break;
        }
        return frame;
    }
    void EnablePair(int allowId, int originalId, const wchar_t* original, int replacementId,
                    const wchar_t* replacement) {
        SetChecked(allowId, true);
        SetText(originalId, original);
        SetText(replacementId, replacement);
    }

    SimulatedDevice* reader = nullptr;
};

// --- Reports ---------------------------------------------------------------------------------

TEST_F(ReaderCommand, FormatReportsFollowTheForm) {
    Click(hwnd, IDC_SET_DEVICE);  // the default form
    EXPECT_EQ(LastFrame(),
              (Report{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38, 0x03}));
    ASSERT_EQ(reader->writes.back().size(), 65u);
    EXPECT_EQ(reader->writes.back()[0], 0x00);
    for (std::size_t i = 12; i < 65; ++i)
        EXPECT_EQ(reader->writes.back()[i], 0) << i;
    EXPECT_EQ(reader->readSizes.back(), 65u);  // a read asks for the input report length

    // Only track 2, no carriage return.
    SetChecked(IDC_OUTPUT_TRACK1, false);
    SetChecked(IDC_OUTPUT_TRACK3, false);
    SetChecked(IDC_CR_PACKET, false);
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(LastFrame(),
              (Report{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x32, 0x30, 0x03}));

    // Tracks 1 and 3, carriage return after tracks 1 and 3, an empty track 2 end box.
    SetChecked(IDC_OUTPUT_TRACK1, true);
    SetChecked(IDC_OUTPUT_TRACK2, false);
    SetChecked(IDC_OUTPUT_TRACK3, true);
    SetChecked(IDC_CR_TRACK1, true);
    SetChecked(IDC_CR_TRACK3, true);
    SetText(IDC_TRACK2_END, L"");
    SetText(IDC_TRACK1_START, L"A");
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(LastFrame(),
              (Report{0x02, 0x30, 0x41, 0x3F, 0x3B, 0xFF, 0x2B, 0x3F, 0x35, 0x35, 0x03}));

    // "Set default format" resets the form and sends the default report.
    Click(hwnd, IDC_RESTORE_DEFAULTS);
    EXPECT_EQ(LastFrame(),
              (Report{0x02, 0x30, 0x25, 0x3F, 0x3B, 0x3F, 0x2B, 0x3F, 0x37, 0x38, 0x03}));
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Set format OK!"));
    EXPECT_EQ(reader->writes.size(), 4u);
}

TEST_F(ReaderCommand, ReplacementReportsSendOriginalsFirst) {
    EnablePair(IDC_ALLOW_PAIR2, IDC_PAIR2_CHAR, L"a", IDC_PAIR2_REPLACEMENT, L"b");
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(LastFrame(), (Report{0x02, 0x31, 0xFF, 0x61, 0xFF, 0x62, 0x03}));

    EnablePair(IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR, L"a", IDC_PAIR1_REPLACEMENT, L"b");
    EnablePair(IDC_ALLOW_PAIR2, IDC_PAIR2_CHAR, L"x", IDC_PAIR2_REPLACEMENT, L"y");
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(LastFrame(), (Report{0x02, 0x31, 0x61, 0x78, 0x62, 0x79, 0x03}));

    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(LastFrame(), (Report{0x02, 0x32, 0x03}));
    // Cancelling leaves the form as it was.
    EXPECT_TRUE(IsItemChecked(hwnd, IDC_ALLOW_PAIR1));
    EXPECT_EQ(ItemText(hwnd, IDC_PAIR2_REPLACEMENT), L"y");

    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(LastFrame(), (Report{0x02, 0x05, 0x03}));
    for (const Report& report : reader->writes)
        EXPECT_EQ(report.size(), 65u);
}

// --- Outcomes --------------------------------------------------------------------------------

struct Outcome {
    const char* name;
    void (*configure)(SimulatedDevice&);
    Entries format, replace, cancel;
};

void Accepts(SimulatedDevice& d) {
    d.answer = Answer::Yes;
}
void Refuses(SimulatedDevice& d) {
    d.answer = Answer::No;
}
void AnswersOther(SimulatedDevice& d) {
    d.answer = Answer::Byte;
    d.answerByte = 'y';
}
void StaysSilent(SimulatedDevice& d) {
    d.answer = Answer::Silent;
}
void StallsWrites(SimulatedDevice& d) {
    d.stallWrites = true;
}

const std::wstring kSent = Status(L"Set Command OK!");
const std::wstring kFormatSent = Status(L"Send data success");

const Outcome kOutcomes[] = {
    {"accepts",
     &Accepts,
     {kFormatSent, Status(L"Set format OK!"), InfoBox(L"Set format OK!")},
     {kSent, Status(L"Set replace character OK!"), InfoBox(L"Set replace character OK!")},
     {kSent, Status(L"Cancle replace character command  OK!"),
      InfoBox(L"Cancle replace character command  OK!")}},
    {"refuses",
     &Refuses,
     {kFormatSent, Status(L"Set format failed!"), ErrorBox(L"ERROR", L"Set format failed!")},
     {kSent, Status(L"Set replace character failed!"),
      ErrorBox(L"ERROR", L"Set replace character failed!")},
     {kSent, Status(L"Cancle replace character command failed!"),
      ErrorBox(L"ERROR", L"Cancle replace character command failed!")}},
    {"answers another byte", &AnswersOther, {kFormatSent}, {kSent}, {kSent}},
    {"stays silent",
     &StaysSilent,
     {kFormatSent, Status(L"Receive data timeout"), ErrorBox(L"ERROR", L"Receive data timeout")},
     {kSent, Status(L"Receive data timeout!")},
     {kSent, Status(L"Receive data timeout!")}},
    {"stalls the write",
     &StallsWrites,
     {Status(L"Send data timeout!"), Status(L"Receive data timeout"),
      ErrorBox(L"ERROR", L"Receive data timeout")},
     {ErrorBox(L"Error", L"Send data timeout!"), Status(L"Receive data timeout!")},
     {ErrorBox(L"Error", L"Send data timeout!"), Status(L"Receive data timeout!")}},
};

TEST_F(ReaderCommand, EachOutcomeShowsItsTextsInOrder) {
    EnablePair(IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR, L"a", IDC_PAIR1_REPLACEMENT, L"b");
    for (const Outcome& outcome : kOutcomes) {
        SCOPED_TRACE(outcome.name);
        reader->answer = Answer::Yes;
        reader->stallWrites = false;
        outcome.configure(*reader);
        const struct {
            int button;
            const Entries& expected;
        } commands[] = {{IDC_SET_DEVICE, outcome.format},
                        {IDC_SET_REPLACE, outcome.replace},
                        {IDC_CANCEL_REPLACE, outcome.cancel}};
        for (const auto& command : commands) {
            Clear();
            const std::size_t written = reader->writes.size();
            Click(hwnd, command.button);
            EXPECT_EQ(timeline.entries, command.expected) << "button " << command.button;
            EXPECT_EQ(reader->writes.size(), written + 1);
            EXPECT_TRUE(IsItemEnabled(hwnd, IDC_SET_DEVICE));
        }
        for (const std::string& problem : host.Problems(1))
            ADD_FAILURE() << problem;
    }
}

TEST_F(ReaderCommand, VersionQueryShowsTheTextOrItsTimeouts) {
    reader->answer = Answer::Version;
    reader->versionText = "ZP350-V3.7";
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{kSent, Status(L"ZP350-V3.7"), InfoBox(L"ZP350-V3.7")}));

    reader->answer = Answer::Yes;  // no 0x05: an empty text and an empty box
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{kSent, Status(L""), InfoBox(L"")}));

    reader->answer = Answer::Version;  // longer than the version buffer: cut at 29
    reader->versionText = std::string(40, 'v');
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries.back(), InfoBox(std::wstring(29, L'v')));

    reader->answer = Answer::Silent;
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{kSent, Status(L"Receive data timeout!")}));

    reader->stallWrites = true;
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{ErrorBox(L"Error", L"Send data timeout!"),
                                         Status(L"Receive data timeout!")}));
}

TEST_F(ReaderCommand, ChineseTextsFollowTheLanguage) {
    Click(hwnd, IDC_RADIO_CHINESE);
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"发送数据成功"), Status(L"设置命令成功"),
                                         InfoBox(L"设置命令成功")}));
    reader->stallWrites = true;
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries,
              (Entries{ErrorBox(L"Error", L"发送数据超时"), Status(L"接收数据超时")}));
}

TEST_F(ReaderCommand, ShortAnswersAreJudgedOnlyByWhatArrived) {
    reader->inputLength = 3;  // no byte 3 at all
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{kSent}));
    reader->inputLength = 4;
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Cancle replace character command  OK!"));
    EXPECT_EQ(reader->readSizes.back(), 4u);
}

// --- Form checks and missing reader ----------------------------------------------------------

TEST_F(ReaderCommand, FormChecksComeInOrderAndSendNothing) {
    SetChecked(IDC_OUTPUT_TRACK1, false);
    SetChecked(IDC_OUTPUT_TRACK2, false);
    SetChecked(IDC_OUTPUT_TRACK3, false);
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{ErrorBox(L"Error", L"You must select any one track to output!")}));

    // Neither pair chosen, though the boxes hold characters.
    SetText(IDC_PAIR1_CHAR, L"a");
    SetText(IDC_PAIR1_REPLACEMENT, L"b");
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries,
              (Entries{ErrorBox(L"Error",
                                L"Notice: you must choose any one of them\"Enable "
                                L"replace\"")}));

    const std::wstring incomplete =
        ErrorBox(L"Error", MessageFor(Occasion::ReplacePairIncomplete).english);
    EnablePair(IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR, L"a", IDC_PAIR1_REPLACEMENT, L"");
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{incomplete}));

    EnablePair(IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR, L"a", IDC_PAIR1_REPLACEMENT, L"b");
    EnablePair(IDC_ALLOW_PAIR2, IDC_PAIR2_CHAR, L"", IDC_PAIR2_REPLACEMENT, L"y");
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{incomplete}));
    EXPECT_TRUE(reader->writes.empty());
    EXPECT_TRUE(reader->readSizes.empty());
}

TEST_F(ReaderCommand, WithoutAReaderTheLinkIsCheckedBeforeTheForm) {
    Click(hwnd, IDC_DISCONNECT);
    SetChecked(IDC_OUTPUT_TRACK1, false);
    SetChecked(IDC_OUTPUT_TRACK2, false);
    SetChecked(IDC_OUTPUT_TRACK3, false);
    for (int button : {IDC_SET_DEVICE, IDC_GET_VERSION, IDC_SET_REPLACE, IDC_CANCEL_REPLACE}) {
        Clear();
        Click(hwnd, button);
        EXPECT_EQ(timeline.entries, (Entries{Status(L"No device connected!")})) << button;
    }
    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"设备尚未连接!")}));
    EXPECT_TRUE(reader->writes.empty());
}

// --- Device faults ---------------------------------------------------------------------------

TEST_F(ReaderCommand, MissingReportDescriptionSendsNothing) {
    reader->preparsedFails = true;
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Could not get HID preparsed data!")}));
    reader->preparsedFails = false;
    reader->capsFail = true;
    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"Could not get HID preparsed data!")}));
    EXPECT_TRUE(reader->writes.empty());
}

TEST_F(ReaderCommand, ReportLengthsOutsideTheBoundsAreNotServed) {
    const std::wstring unsupported = Status(L"Device report length not supported!");
    reader->outputLength = 11;  // too short for the format, enough for the version
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries, (Entries{unsupported}));
    EXPECT_TRUE(reader->writes.empty());
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries.back(), InfoBox(L"Cancle replace character command  OK!"));

    reader->outputLength = 7;  // too short for the replacement
    EnablePair(IDC_ALLOW_PAIR1, IDC_PAIR1_CHAR, L"a", IDC_PAIR1_REPLACEMENT, L"b");
    Clear();
    Click(hwnd, IDC_SET_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{unsupported}));

    reader->outputLength = 3;
    Clear();
    Click(hwnd, IDC_GET_VERSION);
    EXPECT_EQ(timeline.entries, (Entries{unsupported}));

    reader->outputLength = 65;
    reader->inputLength = 1025;  // an answer would not fit the receive buffer
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{unsupported}));
    EXPECT_EQ(reader->writes.size(), 1u);
    Click(hwnd, IDC_RADIO_CHINESE);
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries, (Entries{Status(L"设备报告长度不支持!")}));

    reader->inputLength = 1024;  // the largest answer that fits
    reader->answer = Answer::No;
    Clear();
    Click(hwnd, IDC_CANCEL_REPLACE);
    EXPECT_EQ(timeline.entries.back(), ErrorBox(L"ERROR", L"取消替换字符命令失败"));
}

TEST_F(ReaderCommand, ParserThatRefusesTheReportEndsTheCommandWithoutATrace) {
    reader->gate = HIDP_STATUS_INVALID_REPORT_LENGTH;
    for (int button : {IDC_SET_DEVICE, IDC_GET_VERSION, IDC_CANCEL_REPLACE})
        Click(hwnd, button);
    EXPECT_TRUE(timeline.entries.empty());
    EXPECT_TRUE(reader->writes.empty());
}

// An answer that comes after its read gave up stays buffered by the system; it must not be
// taken for the answer to the next command.
TEST_F(ReaderCommand, LateAnswerNeverCountsForTheNextCommand) {
    for (bool flushWorks : {false, true}) {
        SCOPED_TRACE(flushWorks ? "queue can be flushed" : "queue cannot be flushed");
        host.flushSupported = flushWorks;
        reader->answerLate = true;
        reader->answer = Answer::Yes;
        Clear();
        Click(hwnd, IDC_CANCEL_REPLACE);
        EXPECT_EQ(timeline.entries, (Entries{kSent, Status(L"Receive data timeout!")}));

        reader->answerLate = false;
        reader->answer = Answer::No;
        Clear();
        Click(hwnd, IDC_SET_DEVICE);
        EXPECT_EQ(timeline.entries.back(), ErrorBox(L"ERROR", L"Set format failed!"));
    }
}

// A transfer that not even cancelling ends keeps its memory: nothing is released under it.
TEST_F(ReaderCommand, TransferThatNeverEndsIsNotReleasedUnderTheSystem) {
    reader->stallWrites = true;
    reader->ignoresCancel = true;
    Click(hwnd, IDC_SET_DEVICE);
    EXPECT_EQ(timeline.entries,
              (Entries{Status(L"Send data timeout!"), Status(L"Receive data timeout"),
                       ErrorBox(L"ERROR", L"Receive data timeout")}));
    EXPECT_TRUE(host.faults().empty());
    // The window goes on working; its end closes the link, which ends the transfer.
    dialog.reset();
    for (const std::string& fault : host.faults())
        ADD_FAILURE() << fault;
    EXPECT_EQ(host.preparsedOutstanding(), 0);
    // Left open on purpose: the event of the transfer that never ended.
    EXPECT_EQ(host.CloseLeftoverEvents(), 1);
}

}  // namespace
