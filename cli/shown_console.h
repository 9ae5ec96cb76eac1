// Every line the companion prints passes here on its way out, so that no output shows a card
// number unless the person asked: an error line that quotes an argument or a profile's line
// (a swipe pasted there), standard error as much as standard output. What the system itself
// named is kept as it is: the paths of the readers it listed, so that they can be given back
// to --path (their class identifier holds a run of twelve digits).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_run.h"
#include "swipe/card_text.h"

namespace cli {

class ShownConsole : public Console {
public:
    explicit ShownConsole(Console& out) : out_(out) {}
    void Out(std::string_view text) override;
    void Err(std::string_view text) override;

    // Standard output in full from now on: `swipe --show-all`.
    void ShowAllOut() { showAllOut_ = true; }
    // `text`, a reader's path the system listed, is shown as it is wherever it stands whole.
    void KeepAsIs(const std::string& text) { keptAsIs_.push_back(text); }

private:
    swipe::CardText Shown(std::string_view text) const;

    Console& out_;
    bool showAllOut_ = false;
    std::vector<std::string> keptAsIs_;
};

}  // namespace cli
