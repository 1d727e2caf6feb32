// The UI thread's side of the game: how the player's input turns into requests
// in GameState. Called from the window procedure.
#ifndef VARLO_GAME_INPUT_RULES_H
#define VARLO_GAME_INPUT_RULES_H

#include <cstdint>

#include "base/platform.h"

// Starts a new game at `stage` (0..7) unless one is about to present its next
// question (kStateNextQuestion) or an entered name is about to be stored
// (kStateNameEntered): records the request and stores kStateNextQuestion, whose
// step begins the game (beginRequestedGame). Ends name entry, removing its
// caret, if it was under way.
void startGame(int stage);

// Game thread, at the top of the question step: a start request that came
// since sets the stage and zeroes the counters (questions, misses, score,
// orders), and the history counts a new game. Without one the running game
// goes on.
void beginRequestedGame();

// Left clicks go to key picking only while the player may answer
// (kStateWaitingAnswer or kStateHintDue).
bool acceptsKeyClicks();

// Right click: replays the question while nothing is marked and replays are
// left, otherwise submits the marks for judging (its moment is the end of the
// history's answer time: every confirm comes this way). Returns false outside
// kStateWaitingAnswer and kStateHintDue, where the click gets the system's
// default processing.
bool answerOrReplay();

// Typed characters and the focus caret belong to name entry (kStateNameEntry).
bool inNameEntry();

#endif
