// The results screen's texts, drawn into the canvas.
#include "display/results_screen.h"

#include <windows.h>

#include "display/canvas_win.h"
#include "display/palette.h"

namespace {

constexpr int kResultsFontHeight = 40;

}  // namespace

void drawResultsTexts(const wchar_t* lines) {
    // Without its font the texts are drawn in the canvas's standing font.
    const HFONT font = createGameFont(kResultsFontHeight);
    {
        CanvasLock lock;
        const SelectedObject selected(canvasDc, font);
        SetTextColor(canvasDc, kResultsTitleColour);
        RECT title = rectOf(kResultsTitle);
        DrawTextW(canvasDc, kResultsTitleText, -1, &title, DT_CENTER | DT_NOPREFIX);
        SetTextColor(canvasDc, kResultsColour);
        RECT figures = rectOf(kResultsFigures);
        DrawTextW(canvasDc, lines, -1, &figures, DT_CENTER | DT_NOPREFIX);
    }
    if (font != nullptr) DeleteObject(font);
}

namespace {

HFONT rankInFont() {
    // The canvas's standing font is the system font. On Japanese Windows it has
    // the kana and kanji of the rank-in line and the prompt; elsewhere it is a
    // face of another script that shows them as boxes, and the small game font,
    // which fits both rectangles, stands in.
    CanvasLock lock;
    return GetTextCharset(canvasDc) == SHIFTJIS_CHARSET ? nullptr : uiFont;
}

}  // namespace

void drawRankInLines(const wchar_t* rankIn) {
    CanvasLock lock;
    const SelectedObject font(canvasDc, rankInFont());
    SetTextColor(canvasDc, kResultsColour);
    RECT line = rectOf(kRankInLine);
    DrawTextW(canvasDc, rankIn, -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The prompt ends just left of the name field.
    RECT prompt = rectOf(kNamePrompt);
    DrawTextW(canvasDc, kNamePromptText, -1, &prompt, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
