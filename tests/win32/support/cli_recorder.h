// What zp350cli prints, kept for the end-to-end tests that run its commands.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "cli/cli_run.h"
#include "cli/swipe_input.h"

struct Recorder : cli::Console {
    void Out(std::string_view text) override { out += text; }
    void Err(std::string_view text) override { err += text; }
    std::string out, err;
};

// What a pipe hands `swipe`: the whole text at once.
struct Piped : cli::SwipeSource {
    explicit Piped(std::string typed) : text(std::move(typed)) {}
    bool Interactive() override { return false; }
    std::optional<swipe::CardText> ReadSwipe(unsigned) override {
        return std::nullopt;
    }
    swipe::CardText ReadAll(std::size_t limit) override { return text.substr(0, limit); }
    std::string text;
};
