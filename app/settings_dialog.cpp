#include "app/settings_dialog.h"

#include <iterator>

#include "app/about_dialog.h"
#include "app/error_box.h"
#include "app/icon_placement.h"
#include "app/profile_commands.h"
#include "app/settings_access.h"
#include "app/swipe_dialog.h"
#include "framework/caption_fit.h"
#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/prompts.h"
#include "framework/resources.h"
#include "res/resource.h"
#include "settings/form_profile.h"
#include "settings/profile_texts.h"
#include "swipe/dialog_texts.h"

namespace {
const int kReplacementEdits[] = {IDC_PAIR1_CHAR, IDC_PAIR2_CHAR, IDC_PAIR1_REPLACEMENT,
                                 IDC_PAIR2_REPLACEMENT};

// The five red labels, in the order they are bound; the usage lines use a face of their own.
struct LabelStyle {
    int controlId;
    bool boldDefaultFace;
};
const LabelStyle kLabelStyles[SettingsDialog::kLabelCount] = {
    {IDC_STATUS, true},       {IDC_USAGE_FRAME, true}, {IDC_USAGE_LINE1, false},
    {IDC_USAGE_LINE2, false}, {IDC_CR_NOTICE, false},
};
const COLORREF kRed = 0x0000FF;
// The buttons that talk to the reader, and the system menu's own entries: greyed while a
// command waits for the reader.
const int kCommandButtons[] = {IDC_FIND_DEVICE,      IDC_DISCONNECT,  IDC_SET_DEVICE,
                               IDC_RESTORE_DEFAULTS, IDC_GET_VERSION, IDC_SET_REPLACE,
                               IDC_CANCEL_REPLACE};
static_assert(std::size(kCommandButtons) == SettingsDialog::kCommandButtonCount);
const UINT kOwnMenuEntries[] = {IDM_LOAD_PROFILE, IDM_SAVE_PROFILE, IDM_SWIPE_TEST, IDM_ABOUTBOX};
// A command that has waited this many slices of its waits (reader/bounded_wait.h) has waited
// more than a moment: the window greys what it cannot do meanwhile. A reader that answers at
// once is never waited for, and the window does not flicker.
constexpr unsigned kSlicesBeforeGreying = 5;
// While a command waits, a menu or a move of the window (modal loops that run inside the
// wait) is checked this often, and ended once the wait's time is up.
constexpr UINT_PTR kModalBoundTimer = 1;
constexpr UINT kModalBoundCheckMs = 20;
// Posted by OnInitDialog: the profile given at start is loaded once the window shows, so that
// a box about it stands over the window. Posted messages come before any input.
constexpr UINT kLoadStartProfile = WM_APP + 1;
}  // namespace

SettingsDialog::SettingsDialog(HWND parent)
    : fw::Dialog(IDD_SETTINGS, parent),
      reader_(*this),
      icon_(LoadIconW(fw::ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
    UiLanguage = kEnglish;
}

// The icon comes from the module's resources and is shared: nothing to destroy.
SettingsDialog::~SettingsDialog() = default;

BOOL SettingsDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    AddSystemMenuEntries();
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SetTitleIcon(fw::DpiOf(hwnd()));
    SetUpLabels();
    PutInReadingOrder(hwnd());

    const bool english = InEnglish();
    SetChecked(IDC_RADIO_ENGLISH, english);
    SetChecked(IDC_RADIO_CHINESE, !english);
    if (english)
        OnRadioEnglish();
    else
        OnRadioChinese();

    for (const SentinelDefault& sentinel : kSentinelDefaults)
        SendDlgItemMessageW(hwnd(), sentinel.controlId, EM_LIMITTEXT, 1, 0);
    WriteDefaultSentinels(*this);
    SetChecked(IDC_OUTPUT_TRACK1, true);
    SetChecked(IDC_OUTPUT_TRACK2, true);
    SetChecked(IDC_OUTPUT_TRACK3, true);
    for (int id : kReplacementEdits)
        SendDlgItemMessageW(hwnd(), id, EM_LIMITTEXT, 1, 0);
    SetChecked(IDC_CR_PACKET, true);
    ApplyPacketCrRule(*this);
    if (!startProfile_.empty())
        PostMessageW(hwnd(), kLoadStartProfile, 0, 0);
    return TRUE;
}

void SettingsDialog::OnLoadStartProfile() {
    if (LoadProfileFrom(hwnd(), startProfile_, *this, profilePath_))
        ShowStatus(settings::ProfileLoadedText(startProfile_, InEnglish()));
}

// After the system's own entries: the two profile entries and the swipe test, then the About
// entry, each group after a separator. The first group follows the language (ApplyCaptions).
void SettingsDialog::AddSystemMenuEntries() {
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    if (systemMenu == nullptr)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_LOAD_PROFILE, settings::LoadProfileEntry(InEnglish()));
    AppendMenuW(systemMenu, MF_STRING, IDM_SAVE_PROFILE, settings::SaveProfileEntry(InEnglish()));
    AppendMenuW(systemMenu, MF_STRING, IDM_SWIPE_TEST, swipe::SwipeTestEntry(InEnglish()));
    // The entry is there when the program's string names it; it speaks the window's language.
    wchar_t text[128] = {};
    if (LoadStringW(fw::ResourceModule(), IDS_ABOUTBOX, text, 128) <= 0 || text[0] == 0)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, AboutTextsIn(InEnglish()).entry);
}

void SettingsDialog::SetUpLabels() {
    for (int i = 0; i < kLabelCount; ++i) {
        TextLabel& label = labels_[i];
        label.SubclassDlgItem(kLabelStyles[i].controlId, hwnd());
        if (kLabelStyles[i].boldDefaultFace) {
            label.SetLabelHeight(12).SetLabelBold(TRUE).SetLabelTextColor(kRed);
        } else {
            label.SetLabelFace("Microsoft Sans Serif").SetLabelHeight(12).SetLabelTextColor(kRed);
        }
    }
}

// --- Language --------------------------------------------------------------------------------

void SettingsDialog::ApplyCaptions(bool english) {
    for (std::size_t i = 0; i < kCaptionCount; ++i) {
        const Caption& caption = kCaptions[i];
        SetDlgItemTextW(hwnd(), caption.controlId, english ? caption.english : caption.chinese);
    }
    SetWindowTextW(hwnd(), WindowTitle(english));
    if (HMENU systemMenu = GetSystemMenu(hwnd(), FALSE)) {
        ModifyMenuW(systemMenu, IDM_LOAD_PROFILE, MF_BYCOMMAND | MF_STRING, IDM_LOAD_PROFILE,
                    settings::LoadProfileEntry(english));
        ModifyMenuW(systemMenu, IDM_SAVE_PROFILE, MF_BYCOMMAND | MF_STRING, IDM_SAVE_PROFILE,
                    settings::SaveProfileEntry(english));
        ModifyMenuW(systemMenu, IDM_SWIPE_TEST, MF_BYCOMMAND | MF_STRING, IDM_SWIPE_TEST,
                    swipe::SwipeTestEntry(english));
        // Nothing changes when the program's string left the About entry out.
        ModifyMenuW(systemMenu, IDM_ABOUTBOX, MF_BYCOMMAND | MF_STRING, IDM_ABOUTBOX,
                    AboutTextsIn(english).entry);
    }
    NameEditBoxes(hwnd(), english);
    fw::FitCaptions(hwnd());
}

// The label fonts are made again for the new DPI; the captions, laid out again by the
// system, are fitted again.
// The icon's own image of the small icon's size at `dpi` (16 pixels at 96 DPI, 24 at 144),
// not the large one shrunk.
void SettingsDialog::SetTitleIcon(UINT dpi) {
    const int size = fw::SystemMetric(SM_CXSMICON, dpi);
    fw::Icon icon(
        static_cast<HICON>(LoadImageW(fw::ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon)
        return;
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
    titleIcon_ = std::move(icon);  // the one the window held before is let go only now
}

void SettingsDialog::OnDpiChanged(UINT dpi) {
    SetTitleIcon(dpi);
    for (TextLabel& label : labels_)
        label.SetDpi(dpi);
    fw::FitCaptions(hwnd());
}

// A checked radio chooses its language; an unchecked one repeats the pass only while its
// language is the current one.
void SettingsDialog::LanguagePass(int radioId, unsigned char language) {
    if (IsChecked(radioId))
        UiLanguage = language;
    else if (UiLanguage != language)
        return;
    ApplyCaptions(language == kEnglish);
}

void SettingsDialog::OnRadioEnglish() {
    LanguagePass(IDC_RADIO_ENGLISH, kEnglish);
}

void SettingsDialog::OnRadioChinese() {
    LanguagePass(IDC_RADIO_CHINESE, kChinese);
}

// --- Profiles and defaults -------------------------------------------------------------------

void SettingsDialog::OnLoadProfile() {
    if (LoadProfile(hwnd(), *this, profilePath_))
        ShowStatus(settings::ProfileLoadedText(profilePath_, InEnglish()));
}
void SettingsDialog::OnSaveProfile() {
    SaveProfile(hwnd(), *this, *this, profilePath_);
}

void SettingsDialog::OnButtonRestoreDefaults() {
    RestoreDefaultFormat(*this);
    OnButtonSetDevice();
}

// --- Reader ----------------------------------------------------------------------------------

void SettingsDialog::OnButtonFindDevice() {
    reader_.FindDevice();
}
void SettingsDialog::OnButtonDisconnect() {
    reader_.Disconnect();
}
void SettingsDialog::OnButtonSetDevice() {
    reader_.SetFormat(ReadFormatForm(*this), FirstUnfitBox(*this, FormPart::Format));
}
void SettingsDialog::OnButtonGetVersion() {
    reader_.GetVersion();
}
void SettingsDialog::OnButtonSetReplace() {
    reader_.SetReplace(ReadReplaceForm(*this), FirstUnfitBox(*this, FormPart::Replace));
}
void SettingsDialog::OnButtonCancelReplace() {
    reader_.CancelReplace();
}

// --- Message routing -------------------------------------------------------------------------

bool SettingsDialog::OnCommand(int id, int code) {
    // While a command waits, its buttons and the window's own end (Return, Escape, the close
    // box) do nothing: the command finishes first.
    if (busy_ && (IsCommandButton(id) || id == IDOK || id == IDCANCEL))
        return true;
    if (code != BN_CLICKED)
        return fw::Dialog::OnCommand(id, code);
    // The form's check boxes toggle themselves; some of them trigger a rule.
    if (ApplyClickRule(*this, id))
        return true;
    switch (id) {
        case IDC_RADIO_CHINESE:
            OnRadioChinese();
            return true;
        case IDC_RADIO_ENGLISH:
            OnRadioEnglish();
            return true;
        default:
            if (!IsCommandButton(id))
                return fw::Dialog::OnCommand(id, code);
            RunCommand(id);
            return true;
    }
}

bool SettingsDialog::IsCommandButton(int id) const {
    for (int button : kCommandButtons)
        if (button == id)
            return true;
    return false;
}

void SettingsDialog::RunCommand(int id) {
    busy_ = true;
    greyed_ = false;
    slicesWaited_ = 0;
    enableSetDevice_ = false;
    switch (id) {
        case IDC_RESTORE_DEFAULTS:
            OnButtonRestoreDefaults();
            break;
        case IDC_FIND_DEVICE:
            OnButtonFindDevice();
            break;
        case IDC_DISCONNECT:
            OnButtonDisconnect();
            break;
        case IDC_SET_DEVICE:
            OnButtonSetDevice();
            break;
        case IDC_GET_VERSION:
            OnButtonGetVersion();
            break;
        case IDC_SET_REPLACE:
            OnButtonSetReplace();
            break;
        default:
            OnButtonCancelReplace();
            break;
    }
    if (greyed_) {
        AnswerWaitingMessages();  // what was clicked meanwhile meets greyed buttons
        Ungrey();
    }
    busy_ = false;
    if (enableSetDevice_)
        SetEnabled(IDC_SET_DEVICE, true);
}

void SettingsDialog::Grey() {
    if (greyed_)
        return;
    greyed_ = true;
    focusBeforeGreying_ = GetFocus();
    for (std::size_t i = 0; i < std::size(kCommandButtons); ++i) {
        enabledBeforeGreying_[i] = IsWindowEnabled(Item(kCommandButtons[i])) != FALSE;
        EnableWindow(Item(kCommandButtons[i]), FALSE);
    }
    if (HMENU systemMenu = GetSystemMenu(hwnd(), FALSE))
        for (UINT entry : kOwnMenuEntries)
            EnableMenuItem(systemMenu, entry, MF_BYCOMMAND | MF_GRAYED);
    cursorBeforeGreying_ = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void SettingsDialog::Ungrey() {
    for (std::size_t i = 0; i < std::size(kCommandButtons); ++i)
        EnableWindow(Item(kCommandButtons[i]), enabledBeforeGreying_[i]);
    if (HMENU systemMenu = GetSystemMenu(hwnd(), FALSE))
        for (UINT entry : kOwnMenuEntries)
            EnableMenuItem(systemMenu, entry, MF_BYCOMMAND | MF_ENABLED);
    const HWND focus = focusBeforeGreying_;
    if (focus != nullptr && IsWindowEnabled(focus) && GetFocus() == nullptr)
        SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    SetCursor(cursorBeforeGreying_);
    greyed_ = false;
}

// A menu or a move of the window that begins while a command waits runs its own message loop
// inside the wait; the window greys at once (the menu shows its entries greyed) and checks
// the loop until the wait's time is up, then ends it, so that the wait keeps its bound.
void SettingsDialog::OnModalLoop(bool entering, bool moving) {
    if (!entering) {
        KillTimer(hwnd(), kModalBoundTimer);
        moving_ = false;
        return;
    }
    if (!busy_)
        return;
    Grey();
    moving_ = moving;
    SetTimer(hwnd(), kModalBoundTimer, kModalBoundCheckMs, nullptr);
}

void SettingsDialog::OnModalBoundTimer() {
    if (busy_ && GetTickCount64() < waitEndsAt_)
        return;
    KillTimer(hwnd(), kModalBoundTimer);
    EndMenu();
    // A move or resize ends, put back as it began, on Escape.
    if (moving_)
        PostMessageW(hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    moving_ = false;
}

bool SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam & 0xFFF0);
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            *result = reinterpret_cast<LRESULT>(icon_);
            return true;
        case kLoadStartProfile:
            OnLoadStartProfile();
            return true;
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
            OnModalLoop(message == WM_ENTERMENULOOP, false);
            return false;
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
            OnModalLoop(message == WM_ENTERSIZEMOVE, true);
            return false;
        case WM_TIMER:
            if (wParam != kModalBoundTimer)
                return false;
            OnModalBoundTimer();
            return true;
        case WM_SETCURSOR:
            if (!greyed_)
                return false;
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            *result = TRUE;
            return true;
        default:
            (void)lParam;
            return false;
    }
}

// The window's own system-menu entries; the system handles the rest.
bool SettingsDialog::OnSysCommand(WPARAM command) {
    // While a command waits, the window's own entries (below the system's) and its closing
    // are dropped; it can still be moved, within the wait's bound (OnModalLoop).
    if (busy_ && (command < SC_SIZE || command == SC_CLOSE))
        return true;
    switch (command) {
        case IDM_ABOUTBOX:
            AboutDialog(hwnd(), InEnglish()).DoModal();
            return true;
        case IDM_LOAD_PROFILE:
            OnLoadProfile();
            return true;
        case IDM_SAVE_PROFILE:
            OnSaveProfile();
            return true;
        case IDM_SWIPE_TEST:
            OnSwipeTest();
            return true;
        default:
            return false;
    }
}

// The swipe test checks against the form as it stands; a form the buttons would refuse is
// refused with the same message, on the status line too.
void SettingsDialog::OnSwipeTest() {
    const settings::FormSetup form = settings::ReadSetupFromForm(*this);
    if (form.refusal) {
        ShowStatus(MessageFor(*form.refusal).Text(InEnglish()));
        Report(*form.refusal);
        return;
    }
    if (form.unfit) {
        const std::wstring text = UnfitBoxText(*form.unfit, InEnglish());
        ShowStatus(text);
        ShowErrorBox(text);
        return;
    }
    SwipeDialog(hwnd(), form.setup).DoModal();
}

// Minimised, the window shows its icon centred in the client area.
bool SettingsDialog::OnPaint() {
    if (!IsIconic(hwnd()))
        return false;
    fw::PaintDc dc(hwnd());
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    const UINT dpi = fw::DpiOf(hwnd());
    const int iconWidth = fw::SystemMetric(SM_CXICON, dpi);
    const int iconHeight = fw::SystemMetric(SM_CYICON, dpi);
    RECT client;
    GetClientRect(hwnd(), &client);
    const IconOrigin origin = CentredIconOrigin(client.right - client.left,
                                                client.bottom - client.top, iconWidth, iconHeight);
    DrawIconEx(dc.get(), origin.x, origin.y, icon_, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
    return true;
}

// --- FormControls ----------------------------------------------------------------------------

bool SettingsDialog::IsChecked(int id) const {
    return SendDlgItemMessageW(hwnd(), id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsDialog::SetChecked(int id, bool checked) {
    SendDlgItemMessageW(hwnd(), id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsDialog::SetEnabled(int id, bool enabled) {
    EnableWindow(Item(id), enabled);
}

void SettingsDialog::SetText(int id, const wchar_t* text) {
    SetDlgItemTextW(hwnd(), id, text);
}

// --- CommandUi -------------------------------------------------------------------------------

void SettingsDialog::Report(Occasion occasion) {
    const Message& message = MessageFor(occasion);
    const wchar_t* text = message.Text(InEnglish());
    if (message.shown != Shown::Box)
        SetDlgItemTextW(hwnd(), IDC_STATUS, text);
    if (message.shown != Shown::Status)
        fw::CurrentPrompts().ShowBox(hwnd(), text, message.title, message.icon | MB_OK);
}

void SettingsDialog::ShowStatus(const std::wstring& text) {
    SetDlgItemTextW(hwnd(), IDC_STATUS, text.c_str());
}

void SettingsDialog::ShowVersionText(const std::string& text) {
    // The reader's bytes are text of the system's ANSI code page.
    SetDlgItemTextA(hwnd(), IDC_STATUS, text.c_str());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    fw::CurrentPrompts().ShowBox(hwnd(), wide.c_str(), L"Information", MB_ICONINFORMATION | MB_OK);
}

void SettingsDialog::ShowErrorBox(const std::wstring& text) {
    ::ShowErrorBox(hwnd(), text);
}

void SettingsDialog::EnableSetDevice() {
    if (busy_)
        enableSetDevice_ = true;  // when the command is over
    else
        SetEnabled(IDC_SET_DEVICE, true);
}

void SettingsDialog::Pause(unsigned milliseconds) {
    fw::CurrentPrompts().Pause(milliseconds);
}

// Both "Enable Replace" boxes cleared, as the person would: the pairs' boxes grey.
void SettingsDialog::ReplacementsCancelled() {
    for (int allow : kAllowBoxes) {
        SetChecked(allow, false);
        ApplyAllowRule(*this, allow);
    }
}

void SettingsDialog::KeepAnswering(unsigned msLeft) {
    waitEndsAt_ = GetTickCount64() + msLeft;
    if (++slicesWaited_ >= kSlicesBeforeGreying)
        Grey();
    AnswerWaitingMessages();
}

// Handles what waits in the thread's queue; a request to quit is left there for the loop
// that runs the window.
void SettingsDialog::AnswerWaitingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageW(hwnd(), &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring SettingsDialog::BoxText(int id) const {
    const HWND box = Item(id);
    const int length = GetWindowTextLengthW(box);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, &text[0], length + 1)));
    return text;
}
