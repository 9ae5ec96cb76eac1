// Settings a till cannot use are refused alike by the companion's options and by profiles,
// each with its reason (the window's refusal is in form_profile_test.cpp): a digit as a
// sentinel, which the till cannot tell from the card's digits, and a carriage return after a
// track that is not output, which never comes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/options.h"
#include "settings/profile.h"

namespace {

const std::string kDigit =
    "a sentinel cannot be a digit: the till could not tell it from the card's digits";
const std::string kReturn = "a carriage return after a track that is not output is never sent";

TEST(TillSettings, TheCompanionRefusesThemWithTheirReason) {
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"set", "--track1-end=5"}, "--track1-end: " + kDigit},
        {{"set", "--track3-start=0"}, "--track3-start: " + kDigit},
        {{"set", "--tracks=2", "--cr=1"}, "--cr: " + kReturn},
        {{"set", "--cr=1", "--tracks=2"}, "--tracks: " + kReturn},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const cli::ParsedArguments parsed = cli::ParseArguments(c.args);
        EXPECT_FALSE(parsed.invocation);
        EXPECT_EQ(parsed.error, c.error);
    }
    EXPECT_TRUE(cli::ParseArguments({"set", "--tracks=2", "--cr=2"}).invocation);
}

TEST(TillSettings, AProfileWithThemIsRefused) {
    const settings::ProfileResult good =
        settings::ParseProfile(settings::WriteProfile(settings::DefaultSetup()));
    ASSERT_TRUE(good.setup) << good.error;
    settings::Setup digit = settings::DefaultSetup();
    digit.format.sentinels[1] = '9';
    const settings::ProfileResult withDigit = settings::ParseProfile(settings::WriteProfile(digit));
    EXPECT_FALSE(withDigit.setup);
    EXPECT_NE(withDigit.error.find(kDigit), std::string::npos) << withDigit.error;
    settings::Setup noTrack = settings::DefaultSetup();
    noTrack.format.crAfterPacket = false;
    noTrack.format.outputTrack[0] = false;
    noTrack.format.crAfterTrack[0] = true;
    const settings::ProfileResult withReturn =
        settings::ParseProfile(settings::WriteProfile(noTrack));
    EXPECT_FALSE(withReturn.setup);
    EXPECT_NE(withReturn.error.find(kReturn), std::string::npos) << withReturn.error;
}

}  // namespace
