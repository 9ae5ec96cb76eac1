// zp350cli as a function: the arguments after the program's name (UTF-8) in, the exit code
// out, and what it prints handed to a console. The program's entry point and the tests call
// the same function.
#pragma once

#include <string>
#include <vector>

#include "cli/swipe_input.h"

namespace cli {

// Where the program's text goes: standard output and standard error for the program, strings
// for a test. Each piece is handed on at once, so a script sees every line as it is printed.
class Console {
public:
    virtual ~Console() = default;
    virtual void Out(const std::string& text) = 0;
    virtual void Err(const std::string& text) = 0;
};

// `input` is where `swipe` reads its swipe.
int RunCli(const std::vector<std::string>& args, Console& console,
           SwipeSource& input = StandardInput());

}  // namespace cli
