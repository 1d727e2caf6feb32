// The error box.
#include "base/error_box.h"

#include <windows.h>

const wchar_t kProductName[] = L"ヴァルロ";

void showError(HWND owner, const wchar_t* text) {
    if (text == nullptr) return;
    MessageBoxW(owner, text, kProductName, MB_OK | MB_ICONERROR);
}
