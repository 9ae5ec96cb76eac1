// The swipe check's generated tables (the digits of every script, what each keyboard layout
// types) are what their generator writes from the data it reads: a table edited by hand, or
// data moved on, fails here.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(GeneratedTables, AreWhatTheirGeneratorWrites) {
    if (!std::filesystem::exists("/usr/share/X11/xkb/symbols/us"))
        GTEST_SKIP() << "xkb-data is not installed (scripts/setup.sh installs it)";
    const std::string command =
        std::string("python3 '") + ZP350_SOURCE_DIR + "/swipe/tools/make_tables.py' --check";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace
