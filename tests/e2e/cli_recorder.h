// What zp350cli prints, kept for the end-to-end tests that run its commands.
#pragma once

#include <string>

#include "cli/cli_run.h"

struct Recorder : cli::Console {
    void Out(const std::string& text) override { out += text; }
    void Err(const std::string& text) override { err += text; }
    std::string out, err;
};
