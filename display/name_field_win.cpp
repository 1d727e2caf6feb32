// The name field and its caret, drawn and placed with GDI.
#include "display/name_field.h"

#include <windows.h>

#include "base/window_messages.h"
#include "display/canvas_win.h"
#include "display/palette.h"

namespace {

HWND fieldWindow = nullptr;  // set once, before the game thread starts

bool onFieldThread() {
    return GetWindowThreadProcessId(fieldWindow, nullptr) == GetCurrentThreadId();
}

}  // namespace

void attachNameField(HWND window) {
    fieldWindow = window;
}

void drawNameField(HWND window) {
    const std::wstring name = pendingNameText();
    {
        // The game thread draws into the same canvas: the name is drawn under
        // its lock, and the font and the text colour the game thread set are
        // given back before the lock is left. The caret is placed after it.
        CanvasLock lock;
        const SelectedObject font(canvasDc, uiFont);
        const COLORREF previousColour = SetTextColor(canvasDc, kTypedNameColour);
        RECT field = rectOf(kNameField);
        FillRect(canvasDc, &field, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawTextW(canvasDc, name.c_str(), -1, &field, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(canvasDc, previousColour);
    }
    showNameCaret(window);
    presentCanvas(window, 0, 0);
}

// The caret belongs to the UI thread. The game thread asks for it with a sent
// message, which the shutdown wait also handles, so the two cannot deadlock;
// on the UI thread the message goes straight to the window procedure.
void showNameCaret(HWND window) {
    SendMessageW(window, kPlaceCaretMessage, 0, 0);
}

void removeNameCaret() {
    if (onFieldThread()) {
        destroyNameCaret(fieldWindow);
    } else {
        PostMessageW(fieldWindow, kRemoveCaretMessage, 0, 0);
    }
}

void placeNameCaret(HWND window) {
    CreateCaret(window, nullptr, 0, kNameCaretHeight);
    const std::wstring name = pendingNameText();
    RECT extent{kNameField.left, kNameField.top, kNameField.left, kNameField.top};
    const HDC dc = GetDC(window);
    {
        const SelectedObject font(dc, uiFont);
        DrawTextW(dc, name.c_str(), int(name.size()), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(window, dc);
    SetCaretPos(extent.right, kNameCaretTop);
    ShowCaret(window);
}

void destroyNameCaret(HWND window) {
    HideCaret(window);
    DestroyCaret();
}
