#include "app/profile_commands.h"

#include "app/error_box.h"
#include "framework/prompts.h"
#include "settings/form_profile.h"
#include "settings/profile.h"
#include "settings/profile_file.h"
#include "settings/profile_texts.h"
#include "settings/quoting.h"
#include "settings/ui_text.h"
#include "settings/utf8.h"

namespace {

// The file the person picked; empty when they cancelled or the dialog could not open.
std::wstring AskFile(HWND owner, bool save, const std::wstring& start) {
    const bool english = InEnglish();
    fw::FileQuestion question;
    question.save = save;
    question.title =
        save ? settings::SaveProfileTitle(english) : settings::LoadProfileTitle(english);
    question.filter = settings::ProfileFilter(english);
    question.extension = settings::kProfileExtension;
    question.start = start;
    const fw::FileAnswer answer = fw::CurrentPrompts().AskFile(owner, question);
    if (answer.path.empty() && answer.dialogError != 0)
        ShowErrorBox(owner, settings::FileDialogFailedText(answer.dialogError, english));
    return answer.path;
}

// The byte as the form's boxes show it: the character of the system's ANSI code page that
// reads back as that same byte.
std::optional<wchar_t> ShownInAnsi(std::uint8_t byte) {
    const char in = static_cast<char>(byte);
    wchar_t wide[2] = {};
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &in, 1, wide, 2) != 1)
        return std::nullopt;
    char back[4] = {};
    if (WideCharToMultiByte(CP_ACP, 0, wide, 1, back, sizeof(back), nullptr, nullptr) != 1 ||
        back[0] != in)
        return std::nullopt;
    return wide[0];
}

}  // namespace

void SaveProfile(HWND owner, const FormView& form, CommandUi& ui, std::wstring& lastPath) {
    const bool english = InEnglish();
    const settings::FormSetup saved = settings::ReadSetupFromForm(form);
    if (saved.refusal) {
        ui.Report(*saved.refusal);
        return;
    }
    if (saved.unfit) {
        ShowErrorBox(owner,
                     settings::SaveRefusedText(UnfitBoxText(*saved.unfit, english), english));
        return;
    }
    const std::wstring path =
        AskFile(owner, true, lastPath.empty() ? settings::kSuggestedProfileName : lastPath);
    if (path.empty())
        return;
    const std::string file = settings::Utf8(path);
    if (const settings::WriteResult failed =
            settings::WriteProfileFile(file, settings::WriteProfile(saved.setup))) {
        ShowErrorBox(owner, settings::SaveRefusedText(
                                settings::Wide(settings::WriteFailure(file, failed)), english));
        return;
    }
    lastPath = path;
    ui.ShowStatus(settings::ProfileSavedText(path, english));
}

bool LoadProfile(HWND owner, FormControls& form, std::wstring& lastPath) {
    const std::wstring path = AskFile(owner, false, lastPath);
    return !path.empty() && LoadProfileFrom(owner, path, form, lastPath);
}

bool LoadProfileFrom(HWND owner, const std::wstring& path, FormControls& form,
                     std::wstring& lastPath) {
    const bool english = InEnglish();
    const std::string file = settings::Utf8(path);
    const settings::ProfileResult profile = settings::LoadProfileFile(file);
    if (!profile.setup) {
        ShowErrorBox(owner, settings::LoadRefusedText(settings::Wide(profile.error), english));
        return false;
    }
    if (const auto choice = settings::LoadSetupIntoForm(*profile.setup, ShownInAnsi, form)) {
        const std::wstring shownPath = settings::Wide(settings::ShownPath(file));
        ShowErrorBox(
            owner,
            settings::LoadRefusedText(
                shownPath + L": " + settings::UnshownCharacterDetail(*choice, english), english));
        return false;
    }
    lastPath = path;
    return true;
}
