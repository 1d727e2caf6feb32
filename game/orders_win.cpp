// The steps of a running game. The question screen, the judging and the stage
// messages arrive with the keyboard; until then the steps keep the game's
// counters and states moving as a game would.
#include "game/orders.h"

#include "game/game_state.h"

void presentQuestion(Window) {
    const int stage = session.stageIndex.load();
    session.lowNote = stage == 0 ? 60 : stage < 4 ? 48 : 24;
    session.highNote = stage == 0 ? 71 : stage < 4 ? 83 : 95;
    for (auto& key : session.selectedKeys) key = 0;
    replaceGameState(kStateNextQuestion, kStateHintDue);
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
