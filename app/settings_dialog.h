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
    // Runs the reader command behind button `id`: meanwhile the command buttons are greyed,
    // the wait cursor shows and the window keeps answering; a click made then is dropped.
    void RunCommand(int id);
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
    void KeepAnswering() override;

    // FormView
    std::wstring BoxText(int id) const override;

    ReaderCommands reader_;
    TextLabel labels_[kLabelCount];
    HICON icon_;
    fw::Icon titleIcon_;  // the small icon of the title bar and taskbar, for the window's DPI
    void SetTitleIcon(UINT dpi);
    void OnLoadStartProfile();

    bool busy_ = false;             // a reader command runs
    bool enableSetDevice_ = false;  // asked for while a command runs
    std::wstring profilePath_;      // the profile last saved or loaded
    std::wstring startProfile_;     // the profile given at start, if any
};
