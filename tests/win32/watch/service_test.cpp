// The reader set-up service's parts that Wine can show or a seam stands in for: each notice
// as its event (type, identifier, text) through the event log's seam, the latest event read
// back into the status, the installed profile and its folder's security, and the status of a
// service that is not installed.
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/profile.h"
#include "settings/utf8.h"
#include "temp_file.h"
#include "watch/event_log.h"
#include "watch/installed_profile.h"
#include "watch/service_status.h"
#include "watch/watch_service.h"

namespace {

using watch::Happened;
using watch::LoggedEvent;

// Keeps what the service writes; answers the latest with what it was told to.
class RecordedLog : public watch::EventLog {
public:
    bool Write(const LoggedEvent& event) override {
        written.push_back(event);
        return true;
    }
    std::optional<LoggedEvent> Latest() override { return latest; }
    std::vector<LoggedEvent> written;
    std::optional<LoggedEvent> latest;

private:
    fw::Seam<watch::EventLog>::Substitute installed_{watch::EventLogSeam(), *this};
};

TEST(WatchService, EachNoticeIsAnEventOfItsKind) {
    RecordedLog log;
    watch::EventLogSink sink("C:\\ProgramData\\ZP350\\profile.zp350");
    const struct {
        const char* name;
        watch::Notice notice;
        WORD type;
        DWORD id;
        std::wstring text;
    } cases[] = {
        {"arrived", {Happened::Arrived, "R", ""}, EVENTLOG_INFORMATION_TYPE, 1, L"R: arrived"},
        {"applied",
         {Happened::Applied, "R", "ZP350 VR 1.0"},
         EVENTLOG_INFORMATION_TYPE,
         2,
         L"R: applied, version ZP350 VR 1.0"},
        {"failed",
         {Happened::Failed, "R", "Receive data timeout"},
         EVENTLOG_WARNING_TYPE,
         3,
         L"R: failed: Receive data timeout; tried again when it is plugged in again"},
        {"gone", {Happened::Gone, "R", ""}, EVENTLOG_INFORMATION_TYPE, 4, L"R: gone"},
        {"profile read",
         {Happened::ProfileRead, "", ""},
         EVENTLOG_INFORMATION_TYPE,
         5,
         L"C:\\ProgramData\\ZP350\\profile.zp350: profile read"},
        {"profile broken",
         {Happened::ProfileBroken, "", "p: line 1: bad"},
         EVENTLOG_WARNING_TYPE,
         6,
         L"p: line 1: bad; the last good profile stays in force"},
        {"profile missing",
         {Happened::ProfileMissing, "", "p: cannot be read"},
         EVENTLOG_WARNING_TYPE,
         7,
         L"p: cannot be read; the last good profile stays in force"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        log.written.clear();
        sink.Tell(c.notice);
        ASSERT_EQ(log.written.size(), 1u);
        EXPECT_EQ(log.written[0].type, c.type);
        EXPECT_EQ(log.written[0].id, c.id);
        EXPECT_EQ(log.written[0].text, c.text);
    }
}

// The test prefix has no such service: the status says so, whatever the log holds.
TEST(WatchService, TheStatusOfAServiceNotInstalled) {
    RecordedLog log;
    log.latest = LoggedEvent{1765258866, EVENTLOG_INFORMATION_TYPE, 2, L"R: applied"};
    const watch::ServiceReport report = watch::ReadServiceReport();
    EXPECT_EQ(report.state, watch::ServiceReport::State::NotInstalled);
}

// Wine keeps no security of its own on a folder (it answers a default one), so the folder's
// security is checked up to the call: the descriptor the text makes is the one meant.
std::wstring SecurityMadeOf(const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return L"(none)";
    wchar_t* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor, SDDL_REVISION_1,
                                                         DACL_SECURITY_INFORMATION, &text, nullptr);
    std::wstring security = text != nullptr ? text : L"(none)";
    LocalFree(text);
    LocalFree(descriptor);
    return security;
}

TEST(WatchService, TheProfileFoldersSecurity) {
    // Protected from inheritance; full control for the system and administrators; read and
    // traverse for local service and users; each inherited by files and folders within.
    EXPECT_EQ(SecurityMadeOf(watch::kProfileFolderSecurity),
              L"D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;LS)(A;OICI;0x1200a9;;;BU)");
}

TEST(WatchService, TheInstalledProfileAndItsFolder) {
    const TempFile given(L"zp350-given.zp350", "# the shop's format\ntracks = 2\ncr = none\n");
    const TempFile broken(L"zp350-broken.zp350", "tracks = 9\n");
    const std::wstring installed = settings::Wide(watch::InstalledProfilePath());
    ASSERT_EQ(watch::InstallProfile(given.Utf8Path()), std::nullopt);
    // Written as the companion writes profiles.
    EXPECT_EQ(FileText(installed),
              settings::WriteProfile(settings::ParseProfile(FileText(given.path)).setup.value()));
    // A broken profile changes nothing.
    const std::string before = FileText(installed);
    const std::optional<std::string> refused = watch::InstallProfile(broken.Utf8Path());
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("line 1"), std::string::npos) << *refused;
    EXPECT_EQ(FileText(installed), before);
    EXPECT_TRUE(watch::RemoveInstalledProfile());
    EXPECT_EQ(GetFileAttributesW(settings::Wide(watch::InstalledProfileFolder()).c_str()),
              INVALID_FILE_ATTRIBUTES);
}

}  // namespace
