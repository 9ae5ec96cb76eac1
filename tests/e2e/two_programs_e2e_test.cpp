// Two programs at one virtual reader, each a process of its own: the shipped zp350cli
// started twice at once, and this program holding the reader's turn while zp350cli waits
// for it. Each takes only its own answer; one that finds the reader busy for too long says so
// with its own exit code, having sent nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reader/reader_link.h"
#include "reader/reader_turn.h"
#include "reader/turn_name.h"
#include "virtual_reader.h"

namespace {

// zp350cli of this flavour, beside this test program.
std::wstring CompanionPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + (sizeof(void*) == 8 ? L"zp350cli64.exe" : L"zp350cli32.exe");
}

// A companion started with its standard output and error into one pipe.
class Companion {
public:
    explicit Companion(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
        HANDLE write = nullptr;
        if (!CreatePipe(&read_, &write, &inherit, 0))
            return;
        SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW start{};
        start.cb = sizeof(start);
        start.dwFlags = STARTF_USESTDHANDLES;
        start.hStdOutput = start.hStdError = write;
        start.hStdInput = nullptr;
        // Wine now and then fails to start a process while another is starting: tried again,
        // still at once, and the system's reason kept for the failure message.
        for (int attempt = 0; attempt < 3 && process_ == nullptr; ++attempt) {
            std::wstring line = L"\"" + CompanionPath() + L"\" " + arguments;
            PROCESS_INFORMATION process{};
            if (CreateProcessW(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                               nullptr, &start, &process)) {
                process_ = process.hProcess;
                CloseHandle(process.hThread);
            } else {
                notStarted_ += "(not started: error " + std::to_string(GetLastError()) + ")\n";
            }
        }
        CloseHandle(write);  // the pipe ends when the companion ends
    }
    ~Companion() {
        if (process_ != nullptr)
            CloseHandle(process_);
        if (read_ != nullptr)
            CloseHandle(read_);
    }
    Companion(const Companion&) = delete;
    Companion& operator=(const Companion&) = delete;

    // Waits for the end (at most 30 s); the exit code, or -1.
    int Finish() {
        char buffer[512];
        DWORD got = 0;
        while (read_ != nullptr && ReadFile(read_, buffer, sizeof(buffer), &got, nullptr) &&
               got > 0)
            output.append(buffer, got);
        DWORD code = 0;
        if (process_ == nullptr || WaitForSingleObject(process_, 30000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_, &code)) {
            output += notStarted_;  // shown by the check on the output
            return -1;
        }
        return static_cast<int>(code);
    }
    std::string output;  // what it wrote, line ends as written

private:
    HANDLE process_ = nullptr;
    HANDLE read_ = nullptr;
    std::string notStarted_;
};

std::string WithoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

struct TwoPrograms : testing::Test {
    TwoPrograms() { VirtualReader::Reset(); }
    ~TwoPrograms() override { VirtualReader::Reset(); }
};

// "version" and "set" started together, against a reader that answers after 300 ms: every
// round, each gets its own answer and the reader applies the format.
TEST_F(TwoPrograms, TwoCompanionsAtOnceEachTakeTheirOwnAnswer) {
    VirtualReader::Set(L"DelayMs", 300);
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(testing::Message() << "round " << round);
        Companion version(L"version");
        Companion set(L"set --tracks 1,2");
        EXPECT_EQ(version.Finish(), 0);
        EXPECT_EQ(set.Finish(), 0);
        EXPECT_EQ(WithoutCr(version.output), "ZP350 VR 1.0\n");
        EXPECT_EQ(WithoutCr(set.output), "Set format OK!\n");
        const Report format = VirtualReader::Kept(L"Format");
        ASSERT_EQ(format.size(), 8u);
        EXPECT_EQ(format[6], '3');  // tracks 1 and 2
    }
}

// While this program holds the reader's turn, the companion waits; held for longer than it
// waits, the companion says the reader is busy (exit code 8) and sends nothing. Given back
// in time, the companion's command goes through.
TEST_F(TwoPrograms, ACompanionThatFindsTheReaderBusyWaitsThenSaysSo) {
    const reader::ReaderList list = reader::ListReaders();
    ASSERT_EQ(list.readers.size(), 1u);
    const std::string name = reader::TurnName(list.readers[0].path);
    HANDLE turn = CreateMutexA(nullptr, TRUE, name.c_str());
    ASSERT_NE(turn, nullptr);
    VirtualReader::ForgetReceived();
    const DWORD start = GetTickCount();
    Companion busy(L"version");
    EXPECT_EQ(busy.Finish(), 8);
    EXPECT_GE(GetTickCount() - start, reader::kTurnWaitMs);
    EXPECT_EQ(WithoutCr(busy.output),
              "zp350cli: The reader is busy with another program; try again!\n");
    EXPECT_TRUE(VirtualReader::Received().empty());

    Companion waits(L"version");
    Sleep(1000);
    ReleaseMutex(turn);
    EXPECT_EQ(waits.Finish(), 0);
    EXPECT_EQ(WithoutCr(waits.output), "ZP350 VR 1.0\n");
    CloseHandle(turn);
}

}  // namespace
