// The About box: product name in a large font, version and copyright below.
#include "app/app_win.h"

#include "display/canvas_win.h"
#include "resources/resource.h"

namespace {
HFONT nameFont = nullptr;
HFONT lineFont = nullptr;
}

void centerOnParent(HWND dialog) {
    const HWND ownerWindow = GetParent(dialog);
    const ScreenRect work = monitorAreas(MonitorFromWindow(ownerWindow, MONITOR_DEFAULTTONEAREST)).work;
    RECT box{}, owner{};
    GetWindowRect(dialog, &box);
    GetWindowRect(ownerWindow, &owner);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    int left = 0, top = 0;
    centreOver(ScreenRect{owner.left, owner.top, owner.right, owner.bottom}, width, height, left, top);
    keepInside(work, width, height, left, top);
    MoveWindow(dialog, left, top, width, height, TRUE);
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        nameFont = createGameFont(30);
        lineFont = createGameFont(16);
        SendDlgItemMessageW(dialog, IDC_ABOUT_NAME, WM_SETFONT, reinterpret_cast<WPARAM>(nameFont), TRUE);
        SendDlgItemMessageW(dialog, IDC_ABOUT_VERSION, WM_SETFONT, reinterpret_cast<WPARAM>(lineFont), TRUE);
        SendDlgItemMessageW(dialog, IDC_ABOUT_COPYRIGHT, WM_SETFONT, reinterpret_cast<WPARAM>(lineFont), TRUE);
        centerOnParent(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        DeleteObject(nameFont);
        DeleteObject(lineFont);
        nameFont = lineFont = nullptr;
        return TRUE;
    }
    return FALSE;
}
