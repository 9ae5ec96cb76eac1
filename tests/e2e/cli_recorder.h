// What zp350cli prints, kept for the end-to-end tests that run its commands.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "cli/cli_run.h"
#include "cli/swipe_input.h"

struct Recorder : cli::Console {
    void Out(const std::string& text) override { out += text; }
    void Err(const std::string& text) override { err += text; }
    std::string out, err;
};

// What a pipe hands `swipe`: the whole text at once.
struct Piped : cli::SwipeSource {
    explicit Piped(std::string typed) : text(std::move(typed)) {}
    bool Interactive() override { return false; }
    std::optional<std::string> Read(int, unsigned, unsigned) override { return text; }
    std::string text;
};
