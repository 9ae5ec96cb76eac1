#include "virtual_reader.h"

#include <setupapi.h>

#include <cstdlib>

namespace {

// Reader n is the device instance kDevice + "000n"; its own key is that instance's
// "Device Parameters".
const std::string kDevice = "ROOT\\VID_5131&PID_2007\\";
std::string Number(int reader) {
    return "000" + std::to_string(reader);
}
std::wstring Key(int reader) {
    const std::string instance = kDevice + Number(reader);
    return L"System\\CurrentControlSet\\Enum\\" + std::wstring(instance.begin(), instance.end()) +
           L"\\Device Parameters";
}
constexpr std::size_t kReportLength = 65;
// How long the reader may take to take the report and say that it is going.
constexpr DWORD kUnplugSignalMs = 5000;

void Delete(const wchar_t* name, int reader = 0) {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, Key(reader).c_str(), name);
}

// Runs one of the harness's tools and waits for it; true when it exits with 0.
bool RunTool(const std::string& arguments) {
    const char* dir = std::getenv("ZP350_VREADER_DIR");
    if (dir == nullptr)
        return false;
    std::string line = "\"" + std::string(dir) + "\\" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

}  // namespace

void VirtualReader::Reset(int reader) {
    for (const wchar_t* name : {L"Answer", L"Version", L"Silent", L"DelayMs", L"Unplug",
                                L"Unplugging", L"Received", L"Card", L"Typed"})
        Delete(name, reader);
}
void VirtualReader::Set(const wchar_t* name, DWORD value, int reader) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Key(reader).c_str(), name, REG_DWORD, &value,
                    sizeof(value));
}
void VirtualReader::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Key(0).c_str(), name, type, data, size);
}

std::vector<Report> VirtualReader::Received(int reader) {
    const Report log = Kept(L"Received", reader);
    std::vector<Report> reports;
    for (std::size_t at = 0; at + kReportLength <= log.size(); at += kReportLength)
        reports.emplace_back(log.begin() + at, log.begin() + at + kReportLength);
    return reports;
}
void VirtualReader::ForgetReceived() {
    Delete(L"Received");
}
Report VirtualReader::Kept(const wchar_t* name, int reader) {
    const std::wstring key = Key(reader);
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_BINARY, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
        return {};
    Report data(size);
    RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_BINARY, nullptr, data.data(),
                 &size);
    data.resize(size);
    return data;
}

void VirtualReader::SetCard(const std::string& tracks, int reader) {
    const std::wstring text(tracks.begin(), tracks.end());
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, Key(reader).c_str(), L"Card", REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
std::string VirtualReader::Typed(int reader) {
    const std::wstring key = Key(reader);
    DWORD size = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Typed", RRF_RT_REG_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS)
        return {};
    std::wstring text(size / sizeof(wchar_t), L'\0');
    RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Typed", RRF_RT_REG_SZ, nullptr, text.data(),
                 &size);
    text.resize(text.find(L'\0'));
    std::string typed;
    for (wchar_t unit : text)
        typed += static_cast<char>(unit);  // the reader types only single-byte characters
    return typed;
}

bool VirtualReader::Remove(int reader) {
    return RunTool("vrsetup.exe\" remove " + Number(reader)) &&
           RunTool("vrwait.exe\" absent 15000 " + std::to_string(reader + 1));
}
bool VirtualReader::Install(int reader) {
    const char* dir = std::getenv("ZP350_VREADER_DIR");
    return dir != nullptr &&
           RunTool("vrsetup.exe\" install \"" + std::string(dir) + "\\zp350vr.inf\" " +
                   Number(reader)) &&
           RunTool("vrwait.exe\" present 15000 " + std::to_string(reader + 1));
}

PullOut::PullOut(During when) {
    Delete(L"Unplugging");
    VirtualReader::Set(L"Unplug", static_cast<DWORD>(when));
    thread_ = CreateThread(nullptr, 0, &PullOut::Run, this, 0, nullptr);
}

bool PullOut::Join() {
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return removed_;
}

// Removes the device in this process, as the installer does, without starting a program:
// the removal must end while the program's transfer is still waiting.
DWORD WINAPI PullOut::Run(void* self) {
    const DWORD start = GetTickCount();
    const auto unplugging = [] {
        DWORD value = 0, size = sizeof(value);
        return RegGetValueW(HKEY_LOCAL_MACHINE, Key(0).c_str(), L"Unplugging", RRF_RT_REG_DWORD,
                            nullptr, &value, &size) == ERROR_SUCCESS &&
               value != 0;
    };
    while (!unplugging()) {
        if (GetTickCount() - start > kUnplugSignalMs) {
            Delete(L"Unplug");  // the reader never took a report: it stays
            return 0;
        }
        Sleep(2);
    }
    HDEVINFO set = SetupDiCreateDeviceInfoList(nullptr, nullptr);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    static_cast<PullOut*>(self)->removed_ =
        set != INVALID_HANDLE_VALUE &&
        SetupDiOpenDeviceInfoA(set, (kDevice + Number(0)).c_str(), nullptr, 0, &device) &&
        SetupDiCallClassInstaller(DIF_REMOVE, set, &device);
    if (set != INVALID_HANDLE_VALUE)
        SetupDiDestroyDeviceInfoList(set);
    return 0;
}

Report FullReport(const std::vector<std::uint8_t>& bytes) {
    Report report(kReportLength, 0);
    for (std::size_t i = 0; i < bytes.size() && i + 1 < kReportLength; ++i)
        report[i + 1] = bytes[i];
    return report;
}
