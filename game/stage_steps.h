// The steps of a running game: one question, its judgement, a cleared stage.
#ifndef VARLO_GAME_STAGE_STEPS_H
#define VARLO_GAME_STAGE_STEPS_H

#include <string>
#include <vector>

#include "base/platform.h"
#include "game/game_state.h"

// Pause between the question screen and the question's notes.
constexpr int kQuestionLeadInMs = 1000;

// Builds the question screen, makes the question, stores kStateHintDue and plays it.
// When the keyboard cannot be drawn it returns with no question and kStateNextQuestion,
// so the game thread tries again.
void presentQuestion(Window window);
// The successor a step's caller did not store, because a request (a new game,
// the quit) took its place in GameState first.
constexpr int32_t kNoSuccessor = -1;

// The two steps below end a game by storing over `successor`, the state the
// game thread stored before the step, while GameState still holds it; with
// kNoSuccessor a request was stored instead, and it stays.

// Shows the right keys and the verdict and counts a point gain or a miss; the
// fourth miss of a stage ends the game (kStateResults).
void judgeAnswer(Window window, int32_t successor);
// Announces the cleared stage and moves on to the next one, or to the
// celebration (kStateCelebration).
void clearStage(Window window, int32_t successor);

// The verdict's texts, drawn large over the keyboard.
extern const wchar_t kCorrectVerdict[];
extern const wchar_t kMissVerdict[];
// The verdict with the question's notes by name, lowest first, as a screen
// reader says it: "正解！ C4 E4 G4", or "ミス！ 正解は C4 E4 G4".
std::wstring spokenVerdict(bool correct, const std::vector<int>& notes);

// The four status boxes in the lower left of the question screen.
void drawStageBox();
void drawOrderBox();
void drawMissesBox();
void drawScoreBox();

#endif
