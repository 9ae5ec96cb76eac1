// What the program makes of its command line. Explorer starts it with one argument, the
// profile a person opened ("zp350tool.exe" "C:\...\till.zp350"); any other shape is ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The profile to load at start, from the arguments after the program's name: exactly one,
// not empty and not an option (starting with - or /).
std::optional<std::wstring> ProfileArgument(const std::vector<std::wstring>& arguments);
