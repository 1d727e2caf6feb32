// Error boxes: every failure the player must hear of is shown through these.
#include "app/app_win.h"

#include <mmsystem.h>

void showError(HWND owner, const wchar_t* text) {
    if (text == nullptr) return;
    MessageBoxW(owner, text, kProductName, MB_OK | MB_ICONERROR);
}

void showMidiError(HWND owner, UINT code) {
    wchar_t text[MAXERRORLENGTH] = L"";
    midiOutGetErrorTextW(code, text, MAXERRORLENGTH);
    showError(owner, text);
}
