// A dialog built from a template resource, run modally (DoModal) or modeless (Create).
//
// Messages reach OnMessage; a child's notifications are first offered to the child's own
// object (Window::ReflectToChild). Enter and Esc arrive as IDOK and IDCANCEL, which end the
// dialog through OnOK and OnCancel. Moved to a display of another scale (WM_DPICHANGED), the
// dialog takes the rectangle the system suggests and, once the dialog manager has laid its
// template's controls out again, hears of the new DPI in OnDpiChanged.
#pragma once

#include <windows.h>

namespace fw {

class Dialog {
public:
    Dialog(int templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog, or -1.
    INT_PTR DoModal();
    // Creates the dialog modeless and returns its window (or null).
    HWND Create();
    void Destroy();

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    // Ends a modal run with `result`; a modeless dialog is only hidden (Destroy ends it).
    void EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

protected:
    // Binds the controls to their objects; runs inside the base OnInitDialog.
    virtual void DoDataExchange() {}
    // Returns TRUE to let the system put the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // A WM_COMMAND that no child kept for itself; return true when handled.
    virtual bool OnCommand(int id, int code);
    // Any other message; return true when handled, with `result` as its answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Re-creates what was made for the old DPI (fonts, pictures, regions, sizes).
    virtual void OnDpiChanged(UINT /*dpi*/) {}

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void TakeSuggestedRect(UINT dpi, const RECT& suggested);

    int templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
};

}  // namespace fw
