// The settings window: the one working window of the tool.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/command_ui.h"
#include "app/reader_commands.h"
#include "controls/text_label.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "settings/form_record.h"
#include "settings/form_rules.h"

class SettingsDialog : public fw::Dialog,
                       private FormControls,
                       private FormView,
                       private CommandUi {
public:
    explicit SettingsDialog(HWND parent = nullptr);
    ~SettingsDialog() override;

    static constexpr int kLabelCount = 5;
    static constexpr int kCommandButtonCount = 7;

    // Button handlers, also called directly (restore-defaults sends the format).
    void OnRadioChinese();
    void OnRadioEnglish();
    void OnButtonRestoreDefaults();
    void OnButtonFindDevice();
    void OnButtonDisconnect();
    void OnButtonSetDevice();
    void OnButtonGetVersion();
    void OnButtonSetReplace();
    void OnButtonCancelReplace();
    // The system menu's profile entries.
    void OnLoadProfile();
    void OnSaveProfile();
    void OnSwipeTest();
    // A profile to load as "Load profile..." does once the window is up, before anything
    // else it is told; called before the window is made.
    void LoadAtStart(const std::wstring& path) { startProfile_ = path; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDpiChanged(UINT dpi) override;

private:
    void AddSystemMenuEntries();
    bool OnSysCommand(WPARAM command);
    void SetUpLabels();
    void LanguagePass(int radioId, unsigned char language);
    void ApplyCaptions(bool english);
    bool OnPaint();
    // Runs the reader command behind button `id`: meanwhile a click on a command button is
    // dropped and the window keeps answering; once the command has waited more than a moment
    // the command buttons and the system menu's own entries are greyed and the wait cursor
    // shows, until it ends.
    void RunCommand(int id);
    void Grey();
    void Ungrey();
    void AnswerWaitingMessages();
    void OnModalLoop(bool entering, bool moving);
    void OnModalBoundTimer();
    bool IsCommandButton(int id) const;

    // FormControls and FormView
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override;
    void SetEnabled(int id, bool enabled) override;
    void SetText(int id, const wchar_t* text) override;

    // CommandUi
    void Report(Occasion occasion) override;
    void ShowStatus(const std::wstring& text) override;
    void ShowVersionText(const std::string& text) override;
    void ShowErrorBox(const std::wstring& text) override;
    void EnableSetDevice() override;
    void Pause(unsigned milliseconds) override;
    void ReplacementsCancelled() override;
    void KeepAnswering(unsigned msLeft) override;

    // FormView
    std::wstring BoxText(int id) const override;

    ReaderCommands reader_;
    TextLabel labels_[kLabelCount];
    HICON icon_;
    fw::Icon titleIcon_;  // the small icon of the title bar and taskbar, for the window's DPI
    void SetTitleIcon(UINT dpi);
    void OnLoadStartProfile();

    bool busy_ = false;          // a reader command runs
    bool greyed_ = false;        // and has waited more than a moment
    unsigned slicesWaited_ = 0;  // by the command
    ULONGLONG waitEndsAt_ = 0;   // when the command's current wait gives up at the latest
    bool moving_ = false;        // a move or resize runs inside the wait
    bool enabledBeforeGreying_[kCommandButtonCount] = {};
    HWND focusBeforeGreying_ = nullptr;
    HCURSOR cursorBeforeGreying_ = nullptr;
    bool enableSetDevice_ = false;  // asked for while a command runs
    std::wstring profilePath_;      // the profile last saved or loaded
    std::wstring startProfile_;     // the profile given at start, if any
};
