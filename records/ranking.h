// The results screen, name entry and the ranking table.
#ifndef VARLO_RECORDS_RANKING_H
#define VARLO_RECORDS_RANKING_H

#include <string>

#include "base/platform.h"

// The name being typed: at most 15 printable ASCII characters and a zero.
// Written by the UI thread during name entry only.
extern char pendingName[16];

// Game thread: rate and score; a score that ranks starts name entry (GameState 11).
void showResults(Window window);
// Game thread: inserts the entered name with the game's counters into the table.
void commitEntry();
// UI thread, GameState 11: one typed character of the name.
void handleNameChar(Window window, unsigned code);

// The typed name as the window shows it.
std::wstring pendingNameText();

// The share of right answers in percent, truncated: 7 right of 9 are 77.
int correctRate(int questionCount, int missTotal);
// "正解率：n%" and "得点：n" on two lines.
std::wstring resultsLines(int rate, int score);
// "第n位にランクインした。" for the place counted from 0.
std::wstring rankInLine(int place);

#endif
