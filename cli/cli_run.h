// zp350cli as a function: the arguments after the program's name (UTF-8) in, the exit code
// out, and what it prints written to `out` and `err`. The program's entry point and the
// tests call the same function.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace cli {

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace cli
