// The verdict of an answer, drawn large over the keyboard.
#include <windows.h>

#include "display/canvas_win.h"
#include "display/palette.h"

namespace {

constexpr int kVerdictFontHeight = 98;

// Dims the verdict area: each pixel becomes its AND with light grey.
void dimBehindVerdict() {
    const HDC maskDc = CreateCompatibleDC(canvasDc);
    const HBITMAP mask = CreateCompatibleBitmap(canvasDc, kVerdictMaskWidth, kVerdictMaskHeight);
    if (maskDc != nullptr && mask != nullptr) {
        const SelectedObject selected(maskDc, mask);
        const RECT whole{0, 0, kVerdictMaskWidth, kVerdictMaskHeight};
        FillRect(maskDc, &whole, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        BitBlt(canvasDc, kVerdictArea.left, kVerdictArea.top, kVerdictArea.right - kVerdictArea.left,
               kVerdictArea.bottom - kVerdictArea.top, maskDc, 0, 0, SRCAND);
    }
    if (maskDc != nullptr) DeleteDC(maskDc);
    if (mask != nullptr) DeleteObject(mask);
}

}  // namespace

void drawVerdict(const wchar_t* text) {
    // Without its font the verdict is drawn in the canvas's standing font.
    const HFONT font = createGameFont(kVerdictFontHeight);
    {
        CanvasLock lock;
        const SelectedObject selected(canvasDc, font);
        dimBehindVerdict();

        RECT shadow = rectOf(kVerdictArea);
        OffsetRect(&shadow, kVerdictShadowOffset, kVerdictShadowOffset);
        SetTextColor(canvasDc, kVerdictShadowColour);
        DrawTextW(canvasDc, text, -1, &shadow, DT_CENTER | DT_NOPREFIX);
        RECT face = rectOf(kVerdictArea);
        SetTextColor(canvasDc, kVerdictFaceColour);
        DrawTextW(canvasDc, text, -1, &face, DT_CENTER | DT_NOPREFIX);
    }
    if (font != nullptr) DeleteObject(font);
}
