// The steps of a running game: one question, its judgement, a cleared stage.
#ifndef VARLO_GAME_ORDERS_H
#define VARLO_GAME_ORDERS_H

#include "game/game_state.h"
#include "game/platform.h"

// The instruction typed for each question, by stage index.
extern const wchar_t* const instructionTexts[kStageCount];

// Builds the question screen, makes the question, stores GameState 7 and plays it.
void presentQuestion(Window window);
// Shows the right keys and the verdict and counts a point gain or a miss.
void judgeAnswer(Window window);
// Announces the cleared stage and moves on to the next one, or to the celebration.
void clearStage(Window window);

#endif
