// The settings window's form saved as a profile, and a profile loaded into the form.
//
// A profile holds what the form's buttons send: the format that "Set Device" sends and the
// pairs that "Replace original character" sends, each pair in its place. The text of a pair
// whose box is not checked is not sent, and not saved.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "settings/choices.h"
#include "settings/form_record.h"
#include "settings/ui_text.h"

namespace settings {

struct FormSetup {
    Setup setup;
    // What the form's own buttons would refuse: no track, or a checked pair with an empty box.
    std::optional<Occasion> refusal;
    // Otherwise the first box the buttons would send whose text the reader cannot type
    // (settings/typed_character.h).
    std::optional<UnfitBox> unfit;
};
FormSetup ReadSetupFromForm(const FormView& form);

// How the form's one-character boxes show a byte of the system's ANSI code page: as the
// character that reads back as that byte, or none when the boxes cannot hold it.
using ShownAs = std::function<std::optional<wchar_t>(std::uint8_t)>;

// Fills the form with `setup` as the person would by typing and clicking, with the form
// rules applied; the boxes of a pair that is not used are emptied. When a character of
// `setup` cannot be shown, the form is left as it was and the name of that choice returned.
std::optional<std::string> LoadSetupIntoForm(const Setup& setup, const ShownAs& shownAs,
                                             FormControls& form);

}  // namespace settings
