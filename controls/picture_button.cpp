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
}  // namespace

PictureButton::PictureButton() {
    ResetColors(false);
    ReleaseImages(false);
    SetLinkTarget(nullptr);
}

PictureButton::~PictureButton() {
    background_.Drop();
    ReleaseImages(true);
    if (cursor)
        DestroyCursor(cursor);
    if (popupMenu.menu())
        popupMenu.DestroyMenu();
    // The tooltip goes with its owner when the dialog closes first.
    if (toolTip && IsWindow(toolTip))
        DestroyWindow(toolTip);
}

void PictureButton::PreSubclassWindow() {
    const LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
    if (style & 0x2)
        checkBoxMode = TRUE;
    if ((style & kTypeBits) == BS_DEFPUSHBUTTON)
        isDefault = TRUE;
    SetWindowLongW(hwnd(), GWL_STYLE, (style & ~kTypeBits) | BS_OWNERDRAW);
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void PictureButton::Repaint() {
    if (hwnd())
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
    SendMessageW(toolTip, TTM_SETMAXTIPWIDTH, 0, 400);
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

void PictureButton::OnMouseMove(WPARAM keys, LPARAM point) {
    POINT screen{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(hwnd(), &screen);
    const HWND under = WindowFromPoint(screen);
    // Entering with the left button held does not hover the button.
    if ((keys & MK_LBUTTON) && !hovering)
        return;
    if (!flat)
        return;
    const HWND reference = alwaysTrack ? hwnd() : GetActiveWindow();
    if (under == hwnd() && reference) {
        if (!hovering) {
            hovering = TRUE;
            Repaint();
            TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, hwnd(), 0};
            TrackMouseEvent(&leave);
        }
    } else {
        EndHover();
    }
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

LRESULT PictureButton::OnSetStyle(WPARAM style, LPARAM redraw) {
    const WPARAM type = style & kTypeBits;
    if (type == BS_DEFPUSHBUTTON)
        isDefault = TRUE;
    if (type == BS_PUSHBUTTON)
        isDefault = FALSE;
    // The dialog manager moves the default look with this message; the button stays ours.
    return Default(BM_SETSTYLE, (style & ~static_cast<WPARAM>(kTypeBits)) | BS_OWNERDRAW, redraw);
}

LRESULT PictureButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
        RelayToToolTip(message, wParam, lParam);
    switch (message) {
        case WM_SETCURSOR:
            if (cursor) {
                SetCursor(cursor);
                return TRUE;
            }
            break;
        case WM_KILLFOCUS: {
            const LRESULT result = Default(message, wParam, lParam);
            EndHover();
            return result;
        }
        case WM_MOUSEMOVE: {
            const LRESULT result = Default(message, wParam, lParam);
            OnMouseMove(wParam, lParam);
            return result;
        }
        case WM_SYSCOLORCHANGE: {
            const LRESULT result = Default(message, wParam, lParam);
            background_.Drop();
            return result;
        }
        case WM_ACTIVATE: {
            const LRESULT result = Default(message, wParam, lParam);
            if (LOWORD(wParam) == WA_INACTIVE)
                EndHover();
            return result;
        }
        case WM_ENABLE: {
            const LRESULT result = Default(message, wParam, lParam);
            if (!wParam)
                OnDisabled();
            return result;
        }
        case WM_CANCELMODE: {
            const LRESULT result = Default(message, wParam, lParam);
            EndHover();
            return result;
        }
        case WM_GETDLGCODE:
            return Default(message, wParam, lParam) |
                   (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        case WM_MENUCHAR: {
            const HMENU menu = reinterpret_cast<HMENU>(lParam);
            if (KelMenu::IsRegisteredPopup(menu))
                return KelMenu::MatchMnemonic(LOWORD(wParam), HIWORD(wParam), menu);
            break;
        }
        case WM_MEASUREITEM: {
            auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            const HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID));
            if (item->CtlType == ODT_MENU && IsMenu(menu) && KelMenu::IsRegisteredPopup(menu)) {
                popupMenu.MeasureItem(item);
                return TRUE;
            }
            // Items of the open popup: the menu that owns the item measures it.
            if (KelMenu::RouteMeasureItem(item))
                return TRUE;
            break;
        }
        case WM_DRAWITEM:
            // Only the popup's items come here; the button's own paint is reflected.
            if (KelMenu::RouteDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
                return TRUE;
            break;
        case BM_SETSTYLE:
            return OnSetStyle(wParam, lParam);
        case WM_MOUSELEAVE:
            EndHover();
            return 0;
        case BM_SETCHECK:
            SetCheckState(wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0, true);
            return 0;
        case BM_GETCHECK:
            return GetCheckState();
        case WM_LBUTTONDBLCLK:
            // A double-click is a second press.
            return Default(WM_LBUTTONDOWN, wParam, lParam);
        default:
            break;
    }
    return Default(message, wParam, lParam);
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
