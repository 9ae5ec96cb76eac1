// Picture button: binding, setters of colours and state, and its messages.
#include "controls/picture_button.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

#include "framework/common_controls.h"
#include "framework/late_bound.h"

namespace {
constexpr LONG kTypeBits = 0x1F;
constexpr int kToolTipWidth = 400;  // long tips wrap there
}  // namespace

PictureButton::PictureButton() {
    ResetColors(false);
    ReleaseImages(false);
    SetLinkTarget(nullptr);
}

PictureButton::~PictureButton() {
    background_.Drop();
    ReleaseImages(true);
    if (popupMenu.menu())
        popupMenu.DestroyMenu();
    // The tooltip goes with its owner when the dialog closes first.
    if (toolTip && IsWindow(toolTip))
        DestroyWindow(toolTip);
}

void PictureButton::PreSubclassWindow() {
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    const LONG type = style & kTypeBits;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
        type == BS_AUTO3STATE)
        checkBoxMode = TRUE;
    if (type == BS_DEFPUSHBUTTON)
        isDefault = TRUE;
    dpi_ = fw::DpiOf(hwnd());
    // The button reads its type when it paints; the type has no frame of its own to
    // recalculate, so a button on screen only needs painting again.
    SetWindowLongW(hwnd(), GWL_STYLE, (style & ~kTypeBits) | BS_OWNERDRAW);
    Repaint();
}

// A window not on screen is drawn whole when it shows.
void PictureButton::Repaint() {
    if (hwnd() && IsWindowVisible(hwnd()))
        InvalidateRect(hwnd(), nullptr, TRUE);
}

ButtonResult PictureButton::ResetColors(bool repaint) {
    colors.Reset(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT));
    if (repaint)
        Repaint();
    return ButtonOk;
}

ButtonResult PictureButton::ShiftColor(std::uint8_t slot, std::int16_t shade, bool repaint) {
    const ButtonResult result = colors.Shift(slot, shade);
    if (result == ButtonOk && repaint)
        Repaint();
    return result;
}

void PictureButton::SetAccessibleName(const wchar_t* name) {
    captionPainted_ = false;
    SetWindowTextW(hwnd(), name);
}

void PictureButton::SetDpi(UINT dpi) {
    dpi_ = dpi;
    background_.Drop();  // the parent's pixels under the button, at the old size
    FitToolTip();
    Repaint();
}

// The tip's font and width for the button's DPI.
void PictureButton::FitToolTip() {
    if (!toolTip)
        return;
    fw::Font font = fw::StatusFont(dpi_);
    if (font) {
        SendMessageW(toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        toolTipFont_ = std::move(font);  // the tip no longer uses the old one
    }
    SendMessageW(toolTip, TTM_SETMAXTIPWIDTH, 0, Px(kToolTipWidth));
}

COLORREF PictureButton::SlotColor(ColorSlot slot) const {
    if (!fw::HighContrast())
        return colors[slot];
    const bool text = slot == ActiveText || slot == IdleText || slot == FocusText;
    return GetSysColor(text ? COLOR_BTNTEXT : COLOR_BTNFACE);
}

void PictureButton::UseParentBackground(bool repaint) {
    transparentBackground = TRUE;
    background_.Drop();
    if (repaint)
        Repaint();
}

ButtonResult PictureButton::SetLinkTarget(const char* target) {
    std::memset(linkTarget, 0, sizeof(linkTarget));
    if (target)
        lstrcpynA(linkTarget, target, sizeof(linkTarget));
    return ButtonOk;
}

ButtonResult PictureButton::SetCheckState(int check, bool repaint) {
    if (checkBoxMode) {
        checkState = check != 0 ? 1 : 0;
        if (repaint)
            Repaint();
    }
    return ButtonOk;
}

BOOL PictureButton::SetPopupMenu(UINT menuResource, HWND owner) {
    menuOwner = owner;
    popupMenu.SetReferenceWindow(owner);
    return popupMenu.LoadMenu(menuResource);
}

void PictureButton::EndHover() {
    if (flat && hovering) {
        hovering = FALSE;
        Repaint();
    }
}

void PictureButton::PrepareToolTip() {
    if (toolTip)
        return;
    if (!fw::InitCommonControls(ICC_BAR_CLASSES))
        return;
    toolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, nullptr, nullptr);
    if (!toolTip)
        return;
    SendMessageW(toolTip, TTM_ACTIVATE, FALSE, 0);
    FitToolTip();
}

bool PictureButton::SetToolTipText(const wchar_t* text) {
    PrepareToolTip();
    if (!toolTip)
        return false;
    // The size of the record that every version of the common controls accepts.
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(hwnd());
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    SendMessageW(toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    const bool shown = text && text[0] != L'\0';
    if (shown) {
        tool.lpszText = const_cast<wchar_t*>(text);  // the tooltip keeps a copy
        if (!SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
            return false;
    }
    SendMessageW(toolTip, TTM_ACTIVATE, shown, 0);
    return true;
}

void PictureButton::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    PrepareToolTip();
    if (!toolTip)
        return;
    MSG msg{hwnd(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD position = GetMessagePos();
    msg.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    SendMessageW(toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

LRESULT PictureButton::OnMouseMove(WPARAM keys, LPARAM point) {
    const LRESULT result = Default(WM_MOUSEMOVE, keys, point);
    POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(hwnd(), &screen);
    const HWND under = WindowFromPoint(screen);
    // Entering with the left button held does not hover the button.
    if (((keys & MK_LBUTTON) && !hovering) || !flat)
        return result;
    const HWND reference = alwaysTrack ? hwnd() : GetActiveWindow();
    if (under == hwnd() && reference) {
        if (!hovering) {
            hovering = TRUE;
            Repaint();
        }
        // Asked again on every move: a request the system did not take means that, as far
        // as it knows, the pointer is already elsewhere, and no leave notice will come.
        if (!AskForLeaveNotice())
            EndHover();
    } else {
        EndHover();
    }
    return result;
}

bool PictureButton::AskForLeaveNotice() {
    TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, hwnd(), 0};
    if (!TrackMouseEvent(&leave))
        return false;
    // Windows answers a request made while the pointer is elsewhere with an immediate
    // WM_MOUSELEAVE; Wine drops it without a word. Under Wine a mouse move can be handled
    // while the system's pointer position still lags behind it, so ask what is tracked.
    TRACKMOUSEEVENT held{sizeof(held), TME_QUERY, nullptr, 0};
    return TrackMouseEvent(&held) && held.hwndTrack == hwnd() && (held.dwFlags & TME_LEAVE);
}

void PictureButton::OnDisabled() {
    // A disabled button cannot keep the focus: it moves on to the next tab stop. The system
    // may have dropped it already; a focus that is elsewhere stays there.
    const HWND parent = GetParent(hwnd());
    const HWND focus = GetFocus();
    if (focus == hwnd() || focus == nullptr) {
        const HWND next = GetNextDlgTabItem(parent, hwnd(), FALSE);
        SetFocus(next && next != hwnd() ? next : parent);
    }
    EndHover();
}

void PictureButton::OnClicked() {
    SetFocus(hwnd());
    if (checkBoxMode) {
        checkState = checkState ? 0 : 1;
        Repaint();
    } else if (popupMenu.menu()) {
        RECT rect;
        GetWindowRect(hwnd(), &rect);
        menuShown = TRUE;
        Repaint();
        const int command = KelMenu::TrackPopupMenu(
            popupMenu.GetSubMenu(0), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD,
            rect.left, rect.bottom, hwnd());
        menuShown = FALSE;
        Repaint();
        if (command != 0)
            PostMessageW(menuOwner, WM_COMMAND, command & 0xFFFF, 0);
    } else if (linkTarget[0] != '\0') {
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = "open";
        info.lpFile = linkTarget;
        info.nShow = SW_SHOWMAXIMIZED;
        if (auto* shellExecute = LATE_BOUND(L"shell32.dll", ShellExecuteExA))
            shellExecute(&info);
    }
}

LRESULT PictureButton::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (!cursor_)
        return Default(WM_SETCURSOR, wParam, lParam);
    SetCursor(cursor_.get());
    return TRUE;
}

LRESULT PictureButton::OnEnable(WPARAM enabled, LPARAM lParam) {
    const LRESULT result = Default(WM_ENABLE, enabled, lParam);
    if (!enabled)
        OnDisabled();
    return result;
}

LRESULT PictureButton::OnActivate(WPARAM state, LPARAM lParam) {
    const LRESULT result = Default(WM_ACTIVATE, state, lParam);
    if (LOWORD(state) == WA_INACTIVE)
        EndHover();
    return result;
}

LRESULT PictureButton::OnEndHover(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(message, wParam, lParam);
    EndHover();
    return result;
}

LRESULT PictureButton::OnSysColorChange(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default(WM_SYSCOLORCHANGE, wParam, lParam);
    background_.Drop();
    return result;
}

LRESULT PictureButton::OnGetDlgCode(WPARAM wParam, LPARAM lParam) {
    return Default(WM_GETDLGCODE, wParam, lParam) |
           (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT PictureButton::OnMenuChar(WPARAM wParam, LPARAM menu) {
    const HMENU popup = reinterpret_cast<HMENU>(menu);
    if (!KelMenu::IsRegisteredPopup(popup))
        return Default(WM_MENUCHAR, wParam, menu);
    return KelMenu::MatchMnemonic(LOWORD(wParam), HIWORD(wParam), popup);
}

// The popup this button opens sends its menu items' requests here.
LRESULT PictureButton::OnMeasureItem(WPARAM wParam, LPARAM lParam) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    const HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID));
    if (item->CtlType == ODT_MENU && IsMenu(menu) && KelMenu::IsRegisteredPopup(menu)) {
        popupMenu.MeasureItem(item);
        return TRUE;
    }
    // Items of the open popup: the menu that owns the item measures it.
    if (KelMenu::RouteMeasureItem(item))
        return TRUE;
    return Default(WM_MEASUREITEM, wParam, lParam);
}

LRESULT PictureButton::OnDrawItem(WPARAM wParam, LPARAM lParam) {
    // Only the popup's items come here; the button's own paint is reflected.
    if (KelMenu::RouteDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
        return TRUE;
    return Default(WM_DRAWITEM, wParam, lParam);
}

LRESULT PictureButton::OnSetStyle(WPARAM style, LPARAM redraw) {
    const WPARAM type = style & kTypeBits;
    if (type == BS_DEFPUSHBUTTON)
        isDefault = TRUE;
    if (type == BS_PUSHBUTTON)
        isDefault = FALSE;
    // The dialog manager moves the default look with this message; the button stays ours.
    return Default(BM_SETSTYLE, (style & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, redraw);
}

LRESULT PictureButton::OnSetCheck(WPARAM check, LPARAM) {
    SetCheckState(check == BST_CHECKED || check == BST_INDETERMINATE ? 1 : 0, true);
    return 0;
}

LRESULT PictureButton::OnDoubleClick(WPARAM keys, LPARAM point) {
    // A double-click is a second press.
    return Default(WM_LBUTTONDOWN, keys, point);
}

LRESULT PictureButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToToolTip(message, wParam, lParam);
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(wParam, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
            return OnEndHover(message, wParam, lParam);
        case WM_MOUSELEAVE:
            EndHover();
            return 0;
        case WM_ACTIVATE:
            return OnActivate(wParam, lParam);
        case WM_ENABLE:
            return OnEnable(wParam, lParam);
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange(wParam, lParam);
        case WM_GETDLGCODE:
            return OnGetDlgCode(wParam, lParam);
        case WM_MENUCHAR:
            return OnMenuChar(wParam, lParam);
        case WM_MEASUREITEM:
            return OnMeasureItem(wParam, lParam);
        case WM_DRAWITEM:
            return OnDrawItem(wParam, lParam);
        case BM_SETSTYLE:
            return OnSetStyle(wParam, lParam);
        case BM_SETCHECK:
            return OnSetCheck(wParam, lParam);
        case BM_GETCHECK:
            return GetCheckState();
        case WM_LBUTTONDBLCLK:
            return OnDoubleClick(wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

bool PictureButton::OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED)
                OnClicked();
            return false;  // the parent hears of the click as well
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            *result = TRUE;
            return true;
        default:
            if (!fw::IsColorRequest(message))
                return false;
            *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            return true;
    }
}
