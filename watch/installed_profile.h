// The profile the reader set-up service applies: %ProgramData%\ZP350\profile.zp350, in a
// folder that only administrators (and the system) may write and everyone may read. The
// installer puts it there from the PROFILE it is given and takes it away on removal.
#pragma once

#include <optional>
#include <string>

namespace watch {

// The folder and the file, as UTF-8 paths.
std::string InstalledProfileFolder();
std::string InstalledProfilePath();

// The security of the folder, inherited by what it holds: full control for the system and
// administrators, reading for local service (the service's account) and users; nothing
// inherited from above.
constexpr const wchar_t* kProfileFolderSecurity =
    L"D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;LS)(A;OICI;0x1200a9;;;BU)";

// Reads the profile at `source` and writes it (as the companion writes profiles) to the
// installed place, making the folder with its security first; the error line when `source`
// is no profile or a step failed, and then nothing is changed but perhaps the folder.
std::optional<std::string> InstallProfile(const std::string& source);
// Deletes the installed profile and its folder (the folder stays when something else is in
// it); true when the profile is not there afterwards.
bool RemoveInstalledProfile();

}  // namespace watch
