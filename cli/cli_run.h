// zp350cli as a function: the arguments after the program's name (UTF-8) in, the exit code
// out, and what it prints handed to a console. The program's entry point and the tests call
// the same function.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/swipe_input.h"

namespace cli {

// Where the program's text goes: standard output and standard error for the program, strings
// for a test. Each piece is handed on at once, so a script sees every line as it is printed.
class Console {
public:
    virtual ~Console() = default;
    virtual void Out(std::string_view text) = 0;
    virtual void Err(std::string_view text) = 0;
};

// `input` is where `swipe` reads its swipes. What it prints reaches `console` as
// cli/shown_console.h shows it.
int RunCli(const std::vector<std::string>& args, Console& console,
           SwipeSource& input = StandardInput());

}  // namespace cli
