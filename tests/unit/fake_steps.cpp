// Recording stand-ins for the game's steps and the records' screens, for the
// tests of the state machine and the input rules that drive them.
#include "game/stage_steps.h"
#include "game/results.h"
#include "tests/unit/fake_world.h"

void presentQuestion(Window) { step("present"); }
void judgeAnswer(Window, int32_t) { step("judge"); }
void clearStage(Window, int32_t) { step("clear"); }
void showResults(Window) { step("results"); }
void commitEntry() { step("commit"); }
