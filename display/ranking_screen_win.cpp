// The ranking screen: the top five drawn on a panel, then slid up into the window.
#include <windows.h>

#include <string>

#include "display/canvas_win.h"
#include "display/pacer.h"
#include "display/ranking_texts.h"
#include "display/screens.h"
#include "display/show_effects.h"
#include "records/ranking_table.h"
#include "records/shared_records.h"
#include "display/palette.h"

namespace {

constexpr int kRowFontHeight = 24;

// One line centred in its cell; what does not fit is cut off on both sides.
void drawCell(const std::wstring& text, RankingColumn column, int top, int bottom) {
    RECT cell{kRankingColumns[column].left, top, kRankingColumns[column].right, bottom};
    DrawTextW(canvasDc, text.c_str(), -1, &cell, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void drawRowCell(COLORREF colour, const std::wstring& text, RankingColumn column, int place) {
    SetTextColor(canvasDc, colour);
    drawCell(text, column, rankingRowTop(place), rankingRowBottom(place));
}

void underlineHeaders() {
    const HPEN pen = CreatePen(PS_SOLID, 3, kRankingUnderlineColour);
    {
        const SelectedObject selected(canvasDc, pen);
        MoveToEx(canvasDc, kRankingColumns[kRankColumn].left, kRankingHeaderBottom, nullptr);
        LineTo(canvasDc, kRankingColumns[kDateColumn].right, kRankingHeaderBottom);
    }
    if (pen != nullptr) DeleteObject(pen);
}

// The panel, the headers and their underline, and the rows, drawn in one run
// under the canvas's lock.
void drawRankingTable(const PersistentBlock& records) {
    CanvasLock lock;
    drawPanel(kRankingPanel);
    const SelectedObject headerFont(canvasDc, uiFont);
    SetTextColor(canvasDc, kRankingHeaderColour);
    for (int column = 0; column < kRankingColumnCount; ++column) {
        drawCell(kRankingHeaders[column], RankingColumn(column), kRankingHeaderTop, kRankingHeaderBottom);
    }
    underlineHeaders();

    // Without its own font the rows are drawn in the headers' font.
    const HFONT rowFont = createGameFont(kRowFontHeight);
    {
        const SelectedObject font(canvasDc, rowFont);
        for (int place = 1; place <= kRankingRows; ++place) {
            drawRowCell(kRankingPlaceColour, std::to_wstring(place), kRankColumn, place);
        }
        const int rows = validRowCount(records);
        for (int place = 1; place <= rows; ++place) {
            const RankingEntry& entry = records.rows[place - 1];
            drawRowCell(kRankingNameColour, rankingNameText(entry), kNameColumn, place);
            drawRowCell(kRankingScoreColour, rankingScoreText(entry), kScoreColumn, place);
            drawRowCell(kRankingDateColour, rankingDateText(entry.date), kDateColumn, place);
        }
    }
    if (rowFont != nullptr) DeleteObject(rowFont);
}

}  // namespace

void showRankingScreen(Window window) {
    // A whole copy, taken under the table's lock like the save's own.
    const PersistentBlock records = sharedRecords();

    // The background reports a missing brush itself, so it is drawn before
    // the canvas is locked for the table; each frame of the slide presents
    // the canvas under the lock, and the pauses leave it free.
    fillBackground(window);
    drawRankingTable(records);
    Pacer pacer;
    for (int frame = 0; frame < kSlideFrames; ++frame) {
        presentCanvas(window, 0, slideOffset(frame));
        pacer.pause(kShowFramePauseMs);
    }
}
