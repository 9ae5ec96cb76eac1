// The settings window's messages as the command-line program prints them: English, UTF-8,
// on one line.
#pragma once

#include <string>

#include "settings/ui_text.h"
#include "settings/utf8.h"

namespace settings {

// The English message of `occasion`, its line breaks turned into single blanks.
std::string WindowText(Occasion occasion);

}  // namespace settings
