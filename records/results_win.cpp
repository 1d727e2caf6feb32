// The results screen's texts and the typed name, drawn into the canvas.
#include <windows.h>

#include "display/canvas_win.h"
#include "game/platform.h"
#include "records/ranking.h"
#include "records/results_view.h"

namespace {

constexpr int kResultsFontHeight = 40;
constexpr COLORREF kTitleColour = RGB(255, 51, 153);
constexpr COLORREF kResultsColour = RGB(255, 204, 102);  // rate, score, rank-in line and prompt
constexpr COLORREF kNameColour = RGB(153, 204, 51);

}  // namespace

void drawResultsTexts(const wchar_t* lines) {
    // Without its font the texts are drawn in the canvas's standing font.
    const HFONT font = createGameFont(kResultsFontHeight);
    CanvasLock lock;
    const HGDIOBJ previousFont = font != nullptr ? SelectObject(canvasDc, font) : nullptr;

    SetTextColor(canvasDc, kTitleColour);
    RECT title{100, 30, 530, 75};
    DrawTextW(canvasDc, L"成績", -1, &title, DT_CENTER | DT_NOPREFIX);
    SetTextColor(canvasDc, kResultsColour);
    RECT figures{100, 75, 530, 160};
    DrawTextW(canvasDc, lines, -1, &figures, DT_CENTER | DT_NOPREFIX);

    if (font != nullptr) {
        SelectObject(canvasDc, previousFont);
        DeleteObject(font);
    }
}

void drawRankInLines(const wchar_t* rankIn) {
    CanvasLock lock;
    SetTextColor(canvasDc, kResultsColour);
    RECT line{200, 165, 430, 195};
    DrawTextW(canvasDc, rankIn, -1, &line, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    // The prompt ends at x 285; the name is typed from x 290 on.
    RECT prompt{95, 200, 285, 220};
    DrawTextW(canvasDc, L"あなたの名前を入力 >", -1, &prompt, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void drawNameInput(Window window) {
    const std::wstring name = pendingNameText();
    {
        // The game thread draws into the same canvas: the name is drawn under
        // its lock, and the font and the text colour the game thread set are
        // given back before the lock is left. The caret is placed after it.
        CanvasLock lock;
        const HGDIOBJ previousFont = SelectObject(canvasDc, uiFont);
        const COLORREF previousColour = SetTextColor(canvasDc, kNameColour);
        RECT field{290, 200, 590, 220};
        FillRect(canvasDc, &field, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawTextW(canvasDc, name.c_str(), -1, &field, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(canvasDc, previousColour);
        SelectObject(canvasDc, previousFont);
    }
    showNameCaret(window);
    presentCanvas(window, 0, 0);
}

RankingDate localDate() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return RankingDate{now.wYear, now.wMonth, now.wDayOfWeek, now.wDay,
                       now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}
