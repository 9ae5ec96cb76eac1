#include "button_fixture.h"

void Render(PictureButton& button, Canvas& canvas, UINT itemState) {
    DRAWITEMSTRUCT request{};
    request.CtlType = ODT_BUTTON;
    request.CtlID = static_cast<UINT>(GetDlgCtrlID(button.hwnd()));
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = itemState;
    request.hwndItem = button.hwnd();
    request.hDC = canvas.dc();
    GetClientRect(button.hwnd(), &request.rcItem);
    button.DrawItem(request);
    GdiFlush();
}
