// zp350svc: the reader set-up service's program (watch/watch_service.h). The service manager
// starts it without arguments; the installer runs it with `install-profile FILE` (the PROFILE
// it was given) and `remove-profile` (on removal, not on an upgrade).
#include <windows.h>

#include <cstdio>
#include <string>

#include "settings/system_reason.h"
#include "settings/utf8.h"
#include "watch/installed_profile.h"
#include "watch/watch_service.h"

namespace {

int Refuse(const std::string& line) {
    std::fprintf(stderr, "zp350svc: %s\n", line.c_str());
    return 4;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (argc == 3 && command == L"install-profile") {
        if (const auto failed = watch::InstallProfile(settings::Utf8(std::wstring(argv[2]))))
            return Refuse(*failed);
        return 0;
    }
    if (argc == 2 && command == L"remove-profile")
        return watch::RemoveInstalledProfile() ? 0 : 1;
    if (argc == 1) {
        unsigned long error = 0;
        if (watch::RunAsService(error))
            return 0;
        return Refuse("the service manager starts this program (" + settings::SystemReason(error) +
                      "); by hand: zp350svc install-profile FILE | remove-profile");
    }
    return Refuse("usage: zp350svc install-profile FILE | remove-profile");
}
