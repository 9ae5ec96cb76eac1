// The command-line program as shipped: a console program of the flavour under test, stripped,
// that runs on its own and answers through its exit code. This prefix has no reader, so a
// command that needs one ends with "no reader".
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "flavour.h"

namespace {

const char kCli[] = CLI_FILE_NAME;

struct Finished {
    DWORD code = 0xFFFFFFFF;
    std::string output;  // standard output and standard error together
};

// Runs the program with `arguments` and waits for it; its output comes through a pipe.
Finished RunCli(const std::string& arguments) {
    Finished finished;
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return finished;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string commandLine = std::string(kCli) + " " + arguments;
    const BOOL started = CreateProcessA(kCli, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            finished.output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &finished.code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return finished;
}

TEST(ShippedCli, IsAStrippedConsoleProgramOfThisFlavour) {
    std::ifstream file(kCli, std::ios::binary);
    IMAGE_DOS_HEADER dos{};
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(&dos), sizeof(dos)));
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    file.seekg(dos.e_lfanew);
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(&signature), sizeof(signature)));
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(&header), sizeof(header)));
    EXPECT_EQ(header.Machine,
              sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(header.NumberOfSymbols, 0u) << "stripped";
    // Subsystem sits at the same offset in both optional headers.
    IMAGE_OPTIONAL_HEADER optional{};
    ASSERT_TRUE(file.read(reinterpret_cast<char*>(&optional),
                          offsetof(IMAGE_OPTIONAL_HEADER, Subsystem) + sizeof(WORD)));
    EXPECT_EQ(optional.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_CUI);
}

TEST(ShippedCli, ExitCodesReachTheCaller) {
    const struct {
        const char* arguments;
        DWORD code;
        const char* output;  // a part of what it prints
    } cases[] = {
        {"--help", 0, "Exit codes:"},
        {"set --tracks=9", 4, "zp350cli: --tracks: \"9\" is not a track"},
        {"version", 2, "zp350cli: No device connected!"},
        {"profile --tracks=2", 0, "tracks = 2"},
    };
    for (const auto& c : cases) {
        const Finished finished = RunCli(c.arguments);
        EXPECT_EQ(finished.code, c.code) << c.arguments;
        EXPECT_NE(finished.output.find(c.output), std::string::npos)
            << c.arguments << ": " << finished.output;
    }
}

}  // namespace
