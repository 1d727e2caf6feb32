// The canvas and its primitives.
#include "display/canvas_win.h"

#include "app/app_win.h"

HDC canvasDc = nullptr;
HBITMAP canvasBitmap = nullptr;
HFONT uiFont = nullptr;

HFONT createGameFont(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FF_MODERN | DEFAULT_PITCH, L"ＭＳ Ｐゴシック");
}

bool createCanvas(HWND window) {
    const HDC windowDc = GetDC(window);
    canvasDc = CreateCompatibleDC(windowDc);
    if (canvasDc != nullptr) canvasBitmap = CreateCompatibleBitmap(windowDc, kCanvasWidth, kCanvasHeight);
    ReleaseDC(window, windowDc);
    if (canvasDc == nullptr || canvasBitmap == nullptr) {
        showError(window, L"実行できません。");
        return false;
    }
    // Its first contents are undefined; the game thread paints it black first.
    SelectObject(canvasDc, canvasBitmap);
    return true;
}

void destroyCanvas() {
    if (canvasDc != nullptr) DeleteDC(canvasDc);
    if (canvasBitmap != nullptr) DeleteObject(canvasBitmap);
    canvasDc = nullptr;
    canvasBitmap = nullptr;
}

void prepareCanvas(Window window) {
    SetBkMode(canvasDc, TRANSPARENT);  // every text is drawn without a background box
    const RECT whole{0, 0, kCanvasWidth, kCanvasHeight};
    FillRect(canvasDc, &whole, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    presentCanvas(window, 0, 0);
}

void presentCanvas(Window window, int x, int y) {
    const HDC windowDc = GetDC(window);
    BitBlt(windowDc, x, y, kCanvasWidth - x, kCanvasHeight - y, canvasDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
}

void clearHintLine() {
    const RECT hintLine{248, 181, 608, 226};
    FillRect(canvasDc, &hintLine, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// The typewriter arrives with the message area's drawing; until then nothing is typed.
int typeText(Window, const wchar_t*) {
    return 1;
}
