#include "cli/swipe_command.h"

#include "cli/exit_codes.h"
#include "cli/swipe_output.h"
#include "settings/profile_file.h"
#include "swipe/input_text.h"
#include "swipe/swipe_texts.h"

namespace cli {
namespace {

using swipe::CardText;

int Code(ExitCode code) {
    return static_cast<int>(code);
}

int Fail(Console& console, ExitCode code, const std::string& line) {
    console.Err("zp350cli: " + line + "\n");
    return Code(code);
}

}  // namespace

int RunSwipe(const Invocation& invocation, Console& console, SwipeSource& input) {
    settings::Setup form = invocation.setup;
    if (!invocation.file.empty()) {
        const settings::ProfileResult profile = settings::LoadProfileFile(invocation.file);
        if (!profile.setup)
            return Fail(console, ExitCode::BadInput, profile.error);
        form = *profile.setup;
    }
    std::vector<CardText> swipes;
    if (input.Interactive()) {
        console.Err("Swipe a card now\n");
        std::optional<CardText> typed =
            input.ReadSwipe(static_cast<unsigned>(invocation.timeoutSeconds) * 1000u);
        if (!typed)
            return Fail(console, ExitCode::Timeout,
                        "no swipe came within " + std::to_string(invocation.timeoutSeconds) + " s");
        swipes.push_back(std::move(*typed));
    } else {
        const swipe::InputText decoded =
            swipe::DecodeInput(input.ReadAll(swipe::kMaxInputBytes + 1));
        if (!decoded.refusal.empty())
            return Fail(console, ExitCode::BadInput, "standard input " + decoded.refusal);
        swipes = swipe::SplitSwipes(decoded.text);
        if (swipes.empty())
            return Fail(console, ExitCode::Timeout, "standard input holds no swipe");
    }
    const swipe::ShowRule rule = swipe::RuleFor(form, invocation.showAll);
    const int count = static_cast<int>(swipes.size());
    bool anyDiffers = false;
    bool anyUnseen = false;
    for (int i = 0; i < count; ++i) {
        const swipe::SwipeCheck check =
            swipe::CheckSwipe(form, swipes[static_cast<std::size_t>(i)]);
        anyDiffers = anyDiffers || (!check.matches && !check.agreesSoFar);
        anyUnseen = anyUnseen || check.agreesSoFar;
        console.Out(invocation.json ? SwipeJson(check, rule, i + 1)
                                    : SwipeText(check, rule, i + 1, count));
    }
    return Code(anyDiffers  ? ExitCode::Refused
                : anyUnseen ? ExitCode::AgreesSoFar
                            : ExitCode::Success);
}

}  // namespace cli
