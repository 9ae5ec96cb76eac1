#include "cli/swipe_command.h"

#include <windows.h>

#include "cli/exit_codes.h"
#include "cli/swipe_output.h"
#include "framework/wipe.h"
#include "settings/profile_file.h"

namespace cli {
namespace {

// A swipe that ends without a carriage return ends after this long without a key.
constexpr unsigned kPauseMs = 1000;

int Code(ExitCode code) {
    return static_cast<int>(code);
}

}  // namespace

int RunSwipe(const Invocation& invocation, Console& console, SwipeSource& input) {
    settings::Setup form = invocation.setup;
    if (!invocation.file.empty()) {
        const settings::ProfileResult profile = settings::LoadProfileFile(invocation.file);
        if (!profile.setup) {
            console.Err("zp350cli: " + profile.error + "\n");
            return Code(ExitCode::BadInput);
        }
        form = *profile.setup;
    }
    const bool interactive = input.Interactive();
    if (interactive)
        console.Err("Swipe a card now\n");
    std::optional<std::string> typed =
        input.Read(swipe::ReturnsPerSwipe(form), kPauseMs,
                   static_cast<unsigned>(invocation.timeoutSeconds) * 1000u);
    if (!typed) {
        console.Err(interactive ? "zp350cli: no swipe came within " +
                                      std::to_string(invocation.timeoutSeconds) + " s\n"
                                : std::string("zp350cli: standard input holds no swipe\n"));
        return Code(ExitCode::Timeout);
    }
    const swipe::SwipeCheck check = swipe::CheckSwipe(form, *typed);
    fw::Wipe(*typed);
    console.Out(invocation.json ? SwipeJson(check, invocation.showAll)
                                : SwipeText(check, invocation.showAll));
    return Code(check.matches ? ExitCode::Success : ExitCode::Refused);
}

}  // namespace cli
