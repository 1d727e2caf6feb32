// The end of a game: the results screen and the row a ranked game leaves in
// the table (name entry between them is name_entry.h's).
#ifndef VARLO_GAME_RESULTS_H
#define VARLO_GAME_RESULTS_H

#include <string>

#include "base/platform.h"

// Game thread: rate and score; a score that ranks starts name entry (kStateNameEntry).
void showResults(Window window);
// Game thread: inserts the entered name with the game's counters into the table.
void commitEntry();

// The share of right answers in percent, truncated: 7 right of 9 are 77.
int correctRate(int questionCount, int missTotal);
// "正解率：n%" and "得点：n" on two lines.
std::wstring resultsLines(int rate, int score);
// "第n位にランクインした。" for the place counted from 0.
std::wstring rankInLine(int place);

#endif
