// An owner-drawn push button with pictures.
//
// Bound to a dialog's button (SubclassDlgItem), it makes the button owner-drawn and paints
// it itself: a face colour or the parent's own pixels, an icon pair or a bitmap pair chosen
// by state, the caption, and in the flat look a border only while the mouse is over it or
// it is pressed. It keeps the dialog's default-button protocol, can act as a two-state check
// box, can drop down a KelMenu popup, can open a shell target on click, and carries a
// tooltip (silent until it is given a text) and an optional cursor.
//
// The button owns every icon and bitmap in its slots, also those handed to it. Its parent
// must reflect WM_COMMAND, WM_DRAWITEM and WM_CTLCOLORBTN to it (fw::Dialog does).
//
// Every distance it paints is a 96-DPI size scaled to the DPI of its window (SetDpi when that
// changes); lines one pixel wide stay one pixel, as the system's own edges do. Where the system
// asks for high contrast it paints in the system's colours instead of its colour slots.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "controls/button_colors.h"
#include "controls/image_placement.h"
#include "framework/display.h"
#include "framework/gdi.h"
#include "framework/window.h"
#include "menu/kel_menu.h"

// As the idle icon: make it a grey copy of the active one.
constexpr int AutoGreyIcon = -2;

// What one paint of a button shows, computed from the paint request and the button's state
// before anything is drawn.
struct PaintState {
    bool pressed = false;  // held down, checked (check box) or its popup open
    bool hovered = false;  // the mouse is over a flat button
    bool focused = false;
    bool disabled = false;
};

class PictureButton : public fw::Window {
public:
    PictureButton();
    ~PictureButton() override;

    static HICON AutoGreyIconHandle() { return reinterpret_cast<HICON>(INT_PTR{AutoGreyIcon}); }

    // `idle` may be null or AutoGreyIconHandle().
    ButtonResult SetIcons(HICON active, HICON idle);
    // Icons made at `size` pixels (as LoadImage makes them at the size asked for): the button
    // takes that size instead of asking each icon for it.
    ButtonResult SetIcons(HICON active, HICON idle, SIZE size);
    // Resource ids; idle 0 for none, AutoGreyIcon for a grey copy.
    ButtonResult SetIcons(int activeId, int idleId);
    // Pixels of exactly the key colour are transparent; the bitmaps are changed in place.
    ButtonResult SetBitmaps(HBITMAP active, COLORREF activeKey, HBITMAP idle, COLORREF idleKey);
    ButtonResult SetBitmaps(int activeId, COLORREF activeKey, int idleId, COLORREF idleKey);
    void ReleaseImages(bool destroy);
    // The size of the active image, icon or bitmap; 0 x 0 without one.
    SIZE ImageSize() const {
        return icons[0].icon ? SIZE{icons[0].width, icons[0].height}
                             : SIZE{bitmaps[0].width, bitmaps[0].height};
    }

    ButtonResult ResetColors(bool repaint);
    ButtonResult ShiftColor(std::uint8_t slot, std::int16_t shade, bool repaint);
    COLORREF Color(int slot) const { return colors[slot]; }
    // The face shows the parent's pixels under the button from now on.
    void UseParentBackground(bool repaint);

    ButtonResult SetLinkTarget(const char* target);
    ButtonResult SetCheckState(int check, bool repaint);
    int GetCheckState() const { return checkState; }

    void SetFlat(bool isFlat) { flat = isFlat; }
    // A flat button also shows the focus rectangle when it has the focus.
    void SetFlatFocus(bool shown) { drawFlatFocus = shown; }
    // The button's name for screen readers, kept as its window text and never painted: for a
    // button whose picture carries its text.
    void SetAccessibleName(const wchar_t* name);
    // The DPI the button is shown at from now on (taken from its window when it is bound).
    void SetDpi(UINT dpi);
    // The cursor shown over the button (null: the default processing chooses); the button
    // owns it from now on and destroys it.
    void SetHoverCursor(HCURSOR cursor) { cursor_.reset(cursor); }
    void SetImageAlignment(BYTE alignment) { imageAlignment = alignment; }
    // Loads the menu resource; its first popup drops down on click and posts the chosen
    // command to `owner`. FALSE when the resource does not load.
    BOOL SetPopupMenu(UINT menuResource, HWND owner);
    // The tip shown while the mouse rests on the button; null or empty silences it. False
    // when the tooltip cannot be made or takes no text.
    bool SetToolTipText(const wchar_t* text);

    // Paints the button from a paint request (WM_DRAWITEM).
    void DrawItem(const DRAWITEMSTRUCT& request) {
        Paint(request.hDC, request.rcItem, StateOf(request));
    }
    PaintState StateOf(const DRAWITEMSTRUCT& request) const;
    // Paints the button in `state` over `item` (its client rectangle) of `dc`.
    void Paint(HDC dc, const RECT& item, const PaintState& state);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    virtual ButtonResult PaintFace(HDC dc, const RECT& rect, const PaintState& state);
    virtual ButtonResult PaintBorder(HDC dc, const RECT& rect, const PaintState& state);

    void PaintParentBackground(HDC dc);
    void PaintEdge(HDC dc, const RECT& frame, const PaintState& state);
    // The image where the caption leaves room; `caption` shrinks to the room left for it.
    RECT PlaceImage(bool hasCaption, const RECT& item, RECT& caption, bool pressed, int width,
                    int height) const;
    void PaintIcon(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                   const PaintState& state);
    void PaintBitmap(HDC dc, bool hasCaption, const RECT& item, RECT& caption,
                     const PaintState& state);
    void PaintCaption(HDC dc, const std::wstring& caption, RECT text, const PaintState& state);
    // The colour of a slot, or the system's own colour for it under high contrast.
    COLORREF SlotColor(ColorSlot slot) const;
    // A 96-DPI size at the button's DPI.
    int Px(int pixels) const { return fw::Scale(pixels, dpi_); }

    BOOL showDisabledBitmap = TRUE;
    BOOL flat = TRUE;
    BOOL hovering = FALSE;
    BOOL transparentBackground = FALSE;
    BOOL isDefault = FALSE;
    BOOL checkBoxMode = FALSE;
    BYTE imageAlignment = ImageLeft;
    BOOL drawBorder = TRUE;
    BOOL drawFlatFocus = FALSE;
    ButtonColors colors;
    HWND menuOwner = nullptr;
    BOOL menuShown = FALSE;
    KelMenu popupMenu;
    HWND toolTip = nullptr;
    BOOL alwaysTrack = TRUE;
    int checkState = 0;
    char linkTarget[MAX_PATH] = {};

    struct IconSlot {
        fw::Icon icon;
        int width = 0;
        int height = 0;
    };
    struct BitmapSlot {
        fw::Bitmap bitmap;
        int width = 0;
        int height = 0;
        fw::Bitmap mask;
        COLORREF key = 0;
    };
    IconSlot icons[2];
    BitmapSlot bitmaps[2];

private:
    // The parent's pixels under the button, copied at the first paint that needs them.
    // Members end in reverse order: the selection is undone before the bitmap goes.
    struct BackgroundCache {
        fw::MemoryDc dc;
        fw::Bitmap bitmap;
        std::optional<fw::Selection> selection;
        void Drop() {
            selection.reset();
            bitmap.reset();
            dc.reset();
        }
    };

    void Repaint();
    void EndHover();
    // Asks the system for WM_MOUSELEAVE; false when it does not hold the request.
    bool AskForLeaveNotice();
    void PrepareToolTip();
    void FitToolTip();
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    // One handler per message; each returns the message's answer.
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM keys, LPARAM point);
    LRESULT OnEnable(WPARAM enabled, LPARAM lParam);
    LRESULT OnActivate(WPARAM state, LPARAM lParam);
    LRESULT OnSysColorChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuChar(WPARAM wParam, LPARAM menu);
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM item);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM item);
    LRESULT OnSetStyle(WPARAM style, LPARAM redraw);
    LRESULT OnSetCheck(WPARAM check, LPARAM lParam);
    LRESULT OnDoubleClick(WPARAM keys, LPARAM point);
    // WM_KILLFOCUS, WM_CANCELMODE, WM_MOUSELEAVE: the pointer is no longer over it for us.
    LRESULT OnEndHover(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDisabled();
    void OnClicked();
    // An icon of `size` pixels; of the size it says it has when `size` is 0 x 0.
    ButtonResult TakeIcon(int slot, HICON icon, SIZE size);
    ButtonResult TakeBitmap(int slot, HBITMAP bitmap, COLORREF key);
    HICON MakeGreyIcon(HICON icon);

    fw::Cursor cursor_;
    BackgroundCache background_;
    fw::Font toolTipFont_;  // the tip's; freed after the destructor has let the tip go
    UINT dpi_ = fw::kBaseDpi;
    bool captionPainted_ = true;
};
