// The settings window's profile entries in its system menu: their place and language, and
// saving and loading through the system's own file dialogs, driven as a person would.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "res/resource.h"
#include "settings/profile_file.h"
#include "settings_form.h"
#include "settings_window.h"
#include "temp_file.h"
#include "ui_helpers.h"

namespace {

// The profile of the form that SetNonDefaultForm makes: pair 1 is not used, so "-" holds its
// place, and its box texts are not saved.
const char kSavedProfile[] =
    "# ZP350 reader setup\n"
    "tracks = 1,3\n"
    "cr = 3\n"
    "track1-start = A\n"
    "track1-end = ?\n"
    "track2-start = ;\n"
    "track2-end =\n"
    "track3-start = +\n"
    "track3-end = ?\n"
    "replace = - a=x\n";
const wchar_t kSavedForm[] = L".ooX XoX o.... Xoooo A?;+?";

// In the system's open or save dialog: types the file name and presses the default button;
// answers the dialog's title.
std::wstring TypeFileNameAndAccept(const std::wstring& typed) {
    HWND dialog = GetActiveWindow();
    const std::wstring title = WindowText(dialog);
    SetDlgItemTextW(dialog, cmb13, typed.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return title;
}

struct SettingsProfile : SettingsWindowTest {
    // Tracks 1 and 3, a carriage return after track 3, two sentinels changed, and only the
    // second pair enabled (the first has a text that is not sent).
    void SetNonDefaultForm() {
        Click(hwnd, IDC_OUTPUT_TRACK2);
        Click(hwnd, IDC_CR_PACKET);
        Click(hwnd, IDC_CR_TRACK3);
        SetDlgItemTextW(hwnd, IDC_TRACK1_START, L"A");
        SetDlgItemTextW(hwnd, IDC_TRACK2_END, L"");
        SetDlgItemTextW(hwnd, IDC_PAIR1_CHAR, L"q");
        Click(hwnd, IDC_ALLOW_PAIR2);
        SetDlgItemTextW(hwnd, IDC_PAIR2_CHAR, L"a");
        SetDlgItemTextW(hwnd, IDC_PAIR2_REPLACEMENT, L"x");
    }
    void Command(HWND window, WPARAM command) { SendMessageW(window, WM_SYSCOMMAND, command, 0); }

    TempFile file{L"settings profile test.zp350"};
    const std::wstring path = file.path;
};

std::wstring EntryText(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

// The profile entries and the swipe test stand in a group of their own before the About
// entry's, in the window's language.
TEST_F(SettingsProfile, SystemMenuHasItsEntriesBeforeTheAboutGroupInTheWindowsLanguage) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    const int about = GetMenuItemCount(menu) - 1;
    EXPECT_EQ(GetMenuItemID(menu, about), UINT{IDM_ABOUTBOX});
    EXPECT_TRUE(GetMenuState(menu, about - 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(menu, about - 2), UINT{IDM_SWIPE_TEST});
    EXPECT_EQ(GetMenuItemID(menu, about - 3), UINT{IDM_SAVE_PROFILE});
    EXPECT_EQ(GetMenuItemID(menu, about - 4), UINT{IDM_LOAD_PROFILE});
    EXPECT_TRUE(GetMenuState(menu, about - 5, MF_BYPOSITION) & MF_SEPARATOR);
    const struct {
        const char* name;
        int radio;
        const wchar_t* load;
        const wchar_t* save;
        const wchar_t* swipe;
    } languages[] = {
        {"at first", 0, L"Load profile...", L"Save profile...", L"Swipe test..."},
        {"Chinese", IDC_RADIO_CHINESE, L"载入配置文件...", L"保存配置文件...", L"刷卡测试..."},
        {"English again", IDC_RADIO_ENGLISH, L"Load profile...", L"Save profile...",
         L"Swipe test..."},
    };
    for (const auto& language : languages) {
        SCOPED_TRACE(language.name);
        if (language.radio)
            Click(hwnd, language.radio);
        EXPECT_EQ(EntryText(menu, about - 4), language.load);
        EXPECT_EQ(EntryText(menu, about - 3), language.save);
        EXPECT_EQ(EntryText(menu, about - 2), language.swipe);
        EXPECT_EQ(GetMenuItemCount(menu), about + 1);
    }
}

// Save writes what the buttons would send; Load puts it into a window with the default form,
// which then shows the same form. Both go through the system's dialogs.
TEST_F(SettingsProfile, SaveThenLoadThroughTheSystemsDialogsRestoresTheForm) {
    SetNonDefaultForm();
    ASSERT_EQ(FormPicture(hwnd), kSavedForm);
    std::wstring title;
    RunSoon([&] { title = TypeFileNameAndAccept(path); });
    Command(hwnd, IDM_SAVE_PROFILE);
    EXPECT_EQ(title, L"Save profile");
    EXPECT_EQ(FileText(path), kSavedProfile);
    EXPECT_EQ(ItemText(hwnd, IDC_STATUS), L"Profile saved: settings profile test.zp350");

    HWND other = Open(second);
    Click(other, IDC_RADIO_CHINESE);
    title.clear();
    RunSoon([&] { title = TypeFileNameAndAccept(path); });
    Command(other, IDM_LOAD_PROFILE);
    EXPECT_EQ(title, L"载入配置文件");
    EXPECT_EQ(ItemText(other, IDC_STATUS), L"已载入配置文件：settings profile test.zp350");
    EXPECT_EQ(FormPicture(other), kSavedForm);
    EXPECT_EQ(PairTexts(other), L"||a|x|");
    EXPECT_TRUE(prompts.boxes.empty());
}

// Profiles are saved and loaded whole around the length a plain path may have and well past
// it.
TEST_F(SettingsProfile, SaveAndLoadAtAnyPathLength) {
    SetNonDefaultForm();
    for (std::size_t length : {259, 260, 300, 600}) {
        SCOPED_TRACE(testing::Message() << length << " characters");
        const TempFile longFile(length);
        ASSERT_EQ(longFile.path.size(), length);
        prompts.fileAnswer = longFile.path;
        Command(hwnd, IDM_SAVE_PROFILE);
        EXPECT_EQ(FileText(longFile.path), kSavedProfile);
        HWND other = Open(second);
        Command(other, IDM_LOAD_PROFILE);
        EXPECT_EQ(FormPicture(other), kSavedForm);
        EXPECT_EQ(PairTexts(other), L"||a|x|");
        EXPECT_TRUE(prompts.boxes.empty());
    }
}

// A profile given at start (the program's argument, as Explorer passes it) is in the form
// before anything is clicked, and the status line names its file; a broken one gives the
// load's box over the window and leaves the form at its defaults. No file dialog opens.
TEST_F(SettingsProfile, AProfileGivenAtStartIsInTheFormBeforeAnythingIsClicked) {
    PutFile(path, kSavedProfile);
    second = std::make_unique<SettingsDialog>();
    second->LoadAtStart(path);
    HWND started = second->Create();
    PumpMessages();
    EXPECT_EQ(FormPicture(started), kSavedForm);
    EXPECT_EQ(PairTexts(started), L"||a|x|");
    EXPECT_EQ(ItemText(started, IDC_STATUS), L"Profile loaded: settings profile test.zp350");
    EXPECT_TRUE(prompts.boxes.empty());

    PutFile(path, "tracks = 4\n");
    second = std::make_unique<SettingsDialog>();
    second->LoadAtStart(path);
    started = second->Create();
    PumpMessages();
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].owner, started);
    EXPECT_EQ(prompts.boxes[0].title, L"Error");
    EXPECT_EQ(prompts.boxes[0].text, L"The profile was not loaded:\r\n\r\n" + path +
                                         L": line 1: tracks: \"4\" is not a track: tracks are "
                                         L"1, 2 and 3");
    EXPECT_EQ(FormPicture(started), FormPicture(hwnd));
    EXPECT_EQ(ItemText(started, IDC_STATUS), ItemText(hwnd, IDC_STATUS));
    EXPECT_TRUE(prompts.questions.empty());
}

// A file that is not a profile names its line as the companion does (each refusal's text is
// checked natively, tests/native/cli_test.cpp); the form stays as it is.
TEST_F(SettingsProfile, LoadOfABrokenFileShowsWhyAndChangesNothing) {
    SetNonDefaultForm();
    PutFile(path, "tracks = 1\nthis is prose\n");
    prompts.fileAnswer = path;
    Command(hwnd, IDM_LOAD_PROFILE);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].title, L"Error");
    EXPECT_EQ(prompts.boxes[0].type, UINT{MB_ICONERROR | MB_OK});
    EXPECT_EQ(prompts.boxes[0].text, L"The profile was not loaded:\r\n\r\n" + path +
                                         L": line 2: not a \"name = value\" line");
    EXPECT_EQ(FormPicture(hwnd), kSavedForm);
    EXPECT_EQ(PairTexts(hwnd), L"q||a|x|");
}

// A form the buttons would refuse, or with a character the reader cannot type (here one of
// the ANSI code page), is refused before a file is asked for.
TEST_F(SettingsProfile, AFormThatCannotBeAProfileIsRefusedBeforeAFileIsAsked) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        int edit;
        const wchar_t* text;
        const wchar_t* shown;
    } cases[] = {
        {"no track",
         {IDC_OUTPUT_TRACK1, IDC_OUTPUT_TRACK2, IDC_OUTPUT_TRACK3},
         0,
         nullptr,
         L"You must select any one track to output!"},
        {"a character outside ASCII",
         {},
         IDC_TRACK3_END,
         L"\u00E9",
         L"The profile was not saved:\r\n\r\nTrack 3 end sentinel: \"\u00E9\" is not a plain "
         L"ASCII character"},
    };
    prompts.fileAnswer = path;  // should a file be asked for after all
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HWND window = Open(second);
        prompts.boxes.clear();
        for (int id : c.clicks)
            Click(window, id);
        if (c.edit)
            SetDlgItemTextW(window, c.edit, c.text);
        Command(window, IDM_SAVE_PROFILE);
        ASSERT_EQ(prompts.boxes.size(), 1u);
        EXPECT_EQ(prompts.boxes[0].title, L"Error");
        EXPECT_EQ(prompts.boxes[0].text, c.shown);
        EXPECT_TRUE(prompts.questions.empty());
    }
}

// A save that fails names its step and the system's reason, and the old file stays as it
// was: here another program holds the old file open without letting it be deleted, or the
// folder is not there. A read-only file is refused before anything is written (Wine would
// replace it, where Windows refuses).
TEST_F(SettingsProfile, AFailingSaveShowsItsStepAndReasonAndKeepsTheOldFile) {
    PutFile(path, "tracks = 2\n");
    const std::wstring missingFolder = TempPath(L"no such folder\\till.zp350");
    const struct {
        const char* name;
        std::wstring file;
        const wchar_t* reason;
    } cases[] = {
        {"a file held open", path, L"replace failed: sharing violation, error 32"},
        {"a folder that is not there", missingFolder, L"create failed: path not found, error 3"},
    };
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.boxes.clear();
        prompts.fileAnswer = c.file;
        Command(hwnd, IDM_SAVE_PROFILE);
        ASSERT_EQ(prompts.boxes.size(), 1u);
        EXPECT_EQ(prompts.boxes[0].title, L"Error");
        EXPECT_EQ(prompts.boxes[0].text, L"The profile was not saved:\r\n\r\n" + c.file +
                                             L": cannot be written (" + c.reason + L")");
    }
    CloseHandle(held);
    EXPECT_EQ(FileText(path), "tracks = 2\n");

    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    prompts.boxes.clear();
    prompts.fileAnswer = path;
    Command(hwnd, IDM_SAVE_PROFILE);
    ASSERT_EQ(prompts.boxes.size(), 1u);
    EXPECT_EQ(prompts.boxes[0].text, L"The profile was not saved:\r\n\r\n" + path +
                                         L": cannot be written (the file is read-only)");
    EXPECT_EQ(FileText(path), "tracks = 2\n");
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file saved over keeps its attributes: a hidden profile stays hidden.
TEST_F(SettingsProfile, ASaveOverAFileKeepsItsAttributes) {
    PutFile(path, "tracks = 2\n");
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetNonDefaultForm();
    prompts.fileAnswer = path;
    Command(hwnd, IDM_SAVE_PROFILE);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(FileText(path), kSavedProfile);
    EXPECT_EQ(GetFileAttributesW(path.c_str()),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The replacement's documented failures, as the system leaves the files: with a backup name,
// 1175 and 1176 leave the old file under its own name, 1177 under the backup name.
struct FailingReplacement : settings::FileReplacement {
    std::uint32_t Replace(const std::wstring& replaced, const std::wstring&,
                          const std::wstring& backup) override {
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            MoveFileW(replaced.c_str(), backup.c_str());
        return error;
    }
    std::uint32_t error = 0;
};

// The program's temporary and backup files in the folder of `path`.
int LeftOverFiles(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const std::wstring pattern = path.substr(0, path.find_last_of(L'\\') + 1) + L"~zp350-*";
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int count = 1;
    while (FindNextFileW(search, &found))
        ++count;
    FindClose(search);
    return count;
}

// Whatever step of the replacement fails, the old profile is kept, or put back under its
// name, and nothing of the program's is left beside it; a replacement that works leaves no
// backup either.
TEST_F(SettingsProfile, AReplacementThatFailsKeepsOrPutsBackTheOldProfile) {
    PutFile(path, "tracks = 2\n");
    SetNonDefaultForm();
    FailingReplacement failing;
    for (std::uint32_t error : {ERROR_UNABLE_TO_REMOVE_REPLACED, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                                ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
        SCOPED_TRACE(testing::Message() << "error " << error);
        failing.error = error;
        const fw::Seam<settings::FileReplacement>::Substitute replacing(
            settings::FileReplacementSeam(), failing);
        prompts.boxes.clear();
        prompts.fileAnswer = path;
        Command(hwnd, IDM_SAVE_PROFILE);
        ASSERT_EQ(prompts.boxes.size(), 1u);
        const std::wstring said =
            L"The profile was not saved:\r\n\r\n" + path + L": cannot be written (replace failed: ";
        EXPECT_EQ(prompts.boxes[0].text.substr(0, said.size()), said);
        EXPECT_EQ(FileText(path), "tracks = 2\n");
        EXPECT_EQ(LeftOverFiles(path), 0);
    }
    prompts.boxes.clear();
    Command(hwnd, IDM_SAVE_PROFILE);
    EXPECT_TRUE(prompts.boxes.empty());
    EXPECT_EQ(FileText(path), kSavedProfile);
    EXPECT_EQ(LeftOverFiles(path), 0);
}

}  // namespace
