// The program's command line: one profile path is loaded at start; any other shape is ignored.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/start_arguments.h"

namespace {

TEST(StartArguments, OnlyOnePathIsAProfile) {
    const struct {
        const char* name;
        std::vector<std::wstring> arguments;
        std::optional<std::wstring> profile;
    } cases[] = {
        {"none", {}, std::nullopt},
        {"a path", {L"C:\\shop\\till.zp350"}, L"C:\\shop\\till.zp350"},
        {"a path with blanks", {L"C:\\my shop\\till 1.zp350"}, L"C:\\my shop\\till 1.zp350"},
        {"a share", {L"\\\\server\\share\\till.zp350"}, L"\\\\server\\share\\till.zp350"},
        {"two paths", {L"a.zp350", L"b.zp350"}, std::nullopt},
        {"an option", {L"--help"}, std::nullopt},
        {"a Windows option", {L"/?"}, std::nullopt},
        {"an empty argument", {L""}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileArgument(c.arguments), c.profile);
    }
}

}  // namespace
