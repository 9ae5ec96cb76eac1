#include "virtual_reader.h"

#include <cstdlib>

namespace {

const wchar_t kParameters[] = L"System\\CurrentControlSet\\Services\\zp350vr\\Parameters";
constexpr std::size_t kReportLength = 65;

class Key {
public:
    Key() {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, kParameters, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
    }
    ~Key() {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

void SetDword(const wchar_t* name, DWORD value) {
    Key key;
    RegSetValueExW(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof(value));
}

void Delete(const wchar_t* name) {
    Key key;
    RegDeleteValueW(key.get(), name);
}

Report Binary(const wchar_t* name) {
    Key key;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return {};
    Report data(size);
    if (size > 0)
        RegQueryValueExW(key.get(), name, nullptr, &type, data.data(), &size);
    return data;
}

// Runs one of the harness's tools and waits for it; true when it exits with 0.
bool RunTool(const std::string& commandLine) {
    const char* dir = std::getenv("ZP350_VREADER_DIR");
    if (dir == nullptr)
        return false;
    std::string line = "\"" + std::string(dir) + "\\" + commandLine;
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

void VirtualReader::Reset() {
    for (const wchar_t* name : {L"Answer", L"Version", L"Silent", L"DelayMs", L"Received"})
        Delete(name);
}

void VirtualReader::SetAnswer(DWORD value) {
    SetDword(L"Answer", value);
}

void VirtualReader::SetVersion(const std::wstring& text) {
    Key key;
    RegSetValueExW(key.get(), L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void VirtualReader::SetSilent(bool silent) {
    SetDword(L"Silent", silent ? 1 : 0);
}

void VirtualReader::SetDelayMs(DWORD milliseconds) {
    SetDword(L"DelayMs", milliseconds);
}

void VirtualReader::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    Key key;
    RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

std::vector<Report> VirtualReader::Received() {
    const Report log = Binary(L"Received");
    std::vector<Report> reports;
    for (std::size_t at = 0; at + kReportLength <= log.size(); at += kReportLength)
        reports.emplace_back(log.begin() + at, log.begin() + at + kReportLength);
    return reports;
}

void VirtualReader::ForgetReceived() {
    Delete(L"Received");
}

Report VirtualReader::Format() {
    return Binary(L"Format");
}

Report VirtualReader::Replace() {
    return Binary(L"Replace");
}

bool VirtualReader::Remove() {
    return RunTool("vrsetup.exe\" remove") && RunTool("vrwait.exe\" absent 15000");
}

bool VirtualReader::Install() {
    const char* dir = std::getenv("ZP350_VREADER_DIR");
    if (dir == nullptr)
        return false;
    return RunTool("vrsetup.exe\" install \"" + std::string(dir) + "\\zp350vr.inf\"") &&
           RunTool("vrwait.exe\" present 15000");
}

Report FullReport(const std::vector<std::uint8_t>& bytes) {
    Report report(kReportLength, 0);
    for (std::size_t i = 0; i < bytes.size() && i + 1 < kReportLength; ++i)
        report[i + 1] = bytes[i];
    return report;
}
