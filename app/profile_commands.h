// The settings window's "Save profile..." and "Load profile..." entries: the form written to
// a profile file as the companion program reads it, and such a file read into the form.
// Nothing goes to the reader: the person sends what the form holds with its buttons.
#pragma once

#include <windows.h>

#include <string>

#include "app/command_ui.h"
#include "settings/form_record.h"
#include "settings/form_rules.h"

// Asks for a file name and writes the form into that file. A form the buttons would refuse
// is refused with the window's own message; a form a profile cannot hold, a write that fails
// and a dialog that cannot open each show an error box; a file saved is named on the status
// line. `lastPath` is the file the window last saved or loaded: the dialog starts there, and
// it becomes the file saved.
void SaveProfile(HWND owner, const FormView& form, CommandUi& ui, std::wstring& lastPath);

// Asks for a profile file and reads it into the form, the form rules applied; true when it
// was loaded (`lastPath` is then that file). A file that is no profile, or holds a character
// the form cannot show, shows an error box and leaves the form as it was.
bool LoadProfile(HWND owner, FormControls& form, std::wstring& lastPath);
// Reads the profile at `path` into the form as LoadProfile does; true when it was loaded.
bool LoadProfileFrom(HWND owner, const std::wstring& path, FormControls& form,
                     std::wstring& lastPath);
