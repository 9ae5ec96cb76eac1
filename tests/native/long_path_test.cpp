// Full paths as the file calls take them: as they are while they fit a plain path, with the
// long-path prefix beyond.
#include <gtest/gtest.h>

#include <string>

#include "settings/long_path.h"

namespace {

// A full path on drive C: of exactly `length` characters.
std::wstring DrivePath(std::size_t length) {
    return L"C:\\" + std::wstring(length - 3, L'a');
}

// A path on the share \\till\share of exactly `length` characters.
std::wstring SharePath(std::size_t length) {
    return L"\\\\till\\share\\" + std::wstring(length - 13, L'b');
}

TEST(LongPath, ThePrefixComesWhereAPlainPathEnds) {
    const struct {
        const char* name;
        std::wstring path;
        std::wstring form;
    } cases[] = {
        {"short", L"C:\\till.zp350", L"C:\\till.zp350"},
        {"259 characters", DrivePath(259), DrivePath(259)},
        {"260 characters", DrivePath(260), L"\\\\?\\" + DrivePath(260)},
        {"600 characters", DrivePath(600), L"\\\\?\\" + DrivePath(600)},
        {"the longest", DrivePath(32767), L"\\\\?\\" + DrivePath(32767)},
        {"a share, 259 characters", SharePath(259), SharePath(259)},
        {"a share, 260 characters", SharePath(260), L"\\\\?\\UNC\\" + SharePath(260).substr(2)},
        {"prefixed already", L"\\\\?\\" + DrivePath(300), L"\\\\?\\" + DrivePath(300)},
        {"a device", L"\\\\.\\" + std::wstring(300, L'c'), L"\\\\.\\" + std::wstring(300, L'c')},
        {"an object name", L"\\??\\" + DrivePath(300), L"\\??\\" + DrivePath(300)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settings::LongPathForm(c.path), c.form);
    }
}

}  // namespace
