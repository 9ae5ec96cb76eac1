// The program's command line: one profile path is loaded at start; any other shape is ignored.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/start_arguments.h"
#include "settings/profile_texts.h"

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

// The status line after a profile given at start names the file, not its folders.
TEST(StartArguments, TheStatusLineNamesTheFileLoaded) {
    const struct {
        const char* name;
        std::wstring path;
        bool english;
        std::wstring shown;
    } cases[] = {
        {"a Windows path", L"C:\\my shop\\till.zp350", true, L"Profile loaded: till.zp350"},
        {"a path with slashes", L"Z:/tmp/till.zp350", true, L"Profile loaded: till.zp350"},
        {"a drive's current folder", L"C:till.zp350", true, L"Profile loaded: till.zp350"},
        {"a name alone", L"till.zp350", true, L"Profile loaded: till.zp350"},
        {"in Chinese", L"C:\\till.zp350", false, L"已载入配置文件：till.zp350"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::ProfileLoadedText(c.path, c.english), c.shown);
    }
}

}  // namespace
