// The results screen, name entry and the ranking table.
#ifndef VARLO_RECORDS_RANKING_H
#define VARLO_RECORDS_RANKING_H

#include "game/platform.h"

// The name being typed: at most 15 printable ASCII characters and a zero.
extern char pendingName[16];

// Game thread: rate and score; a score that ranks starts name entry (GameState 11).
void showResults(Window window);
// Game thread: inserts the entered name with the game's counters into the table.
void commitEntry();
// UI thread, GameState 11: one typed character of the name.
void handleNameChar(Window window, unsigned code);

#endif
