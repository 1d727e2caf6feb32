// The history's side of a running game: the game's number in this run and the
// stage it began at, when the question's notes ended and when the player
// confirmed, and the line of each judged order handed to the UI thread, which
// appends it to the history file.
#ifndef VARLO_GAME_HISTORY_RECORD_H
#define VARLO_GAME_HISTORY_RECORD_H

#include <vector>

#include "base/platform.h"
#include "records/history_line.h"

// A judged order on its way to the history file.
struct JudgedOrder {
    HistoryLine line;  // its game is the game's number in this run, from 1
    bool endsGame;     // the game's last order: the statistics are refreshed after it
};

// Game thread, as a new game begins at stage index `stage`.
void beginHistoryGame(int stage);
// Game thread: the question's notes have just ended.
void noteQuestionSounded();
// UI thread: the player has just confirmed the marks.
void noteConfirm();
// Game thread, judging: the order just judged, as the history keeps it, with
// the question's notes as judging found them (each a MIDI note number).
JudgedOrder judgedOrder(const std::vector<int>& asked, bool correct, int points, bool endsGame);

// Hands the order over to the UI thread and returns at once; nothing is
// written to a file on the game thread (game_thread_win.cpp).
void requestHistoryLine(Window window, const JudgedOrder& order);

#endif
