// The steps of a running game. The question screen, the judging and the stage
// messages arrive with the keyboard; until then the steps keep the game's
// counters and states moving as a game would, and every question is real.
#include "game/orders.h"

#include "game/game_state.h"
#include "game/note_output.h"
#include "game/platform.h"
#include "game/questions.h"

// Pause between the question screen and the question's notes.
constexpr int kQuestionLeadInMs = 1000;

void presentQuestion(Window) {
    int32_t low, high;
    questionRange(session.stageIndex, low, high);
    session.lowNote = low;
    session.highNote = high;
    for (auto& key : session.selectedKeys) key = 0;
    generateQuestion();
    // From here on the player may mark keys and confirm.
    replaceGameState(kStateNextQuestion, kStateHintDue);
    sleepMs(kQuestionLeadInMs);
    playQuestion(kQuestionSoundMs);
}

void judgeAnswer(Window) {}

void clearStage(Window) {
    if (++session.stageIndex >= kStageCount) {
        gameState = kStateCelebration;
        return;
    }
    session.orderIndex = 0;
    session.stageMisses = 0;
}
