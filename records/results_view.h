// What the results screen and name entry draw, done by the Win32 side.
#ifndef VARLO_RECORDS_RESULTS_VIEW_H
#define VARLO_RECORDS_RESULTS_VIEW_H

#include "base/platform.h"
#include "records/persistent_block.h"

// Game thread: the title "成績" and `lines` (rate and score) centred under
// it, in the 40-pixel results font.
void drawResultsTexts(const wchar_t* lines);
// Game thread: the rank-in line and, under it, the prompt for the name, in
// the canvas's standing font.
void drawRankInLines(const wchar_t* rankIn);
// UI thread: the typed name on the results panel, the caret after it, then presented.
void drawNameInput(Window window);
// The local date and time now.
RankingDate localDate();

#endif
