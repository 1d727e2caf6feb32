// Requests stored by the UI thread.
#include "game/input_rules.h"

#include "game/game_state.h"
#include "game/note_output.h"
#include "game/platform.h"

void startGame(int stage) {
    int32_t state = gameState.load();
    if (state == kStateNextQuestion) return;
    session.stageIndex = stage;
    session.questionCount = 0;
    session.missTotal = 0;
    session.stageMisses = 0;
    session.score = 0;
    session.orderIndex = 0;
    // The game thread may move on meanwhile; whatever it stored is replaced,
    // unless it is itself about to present a question.
    while (!gameState.compare_exchange_weak(state, kStateNextQuestion)) {
        if (state == kStateNextQuestion) return;
    }
    if (state == kStateNameEntry) removeNameCaret();
}

bool acceptsKeyClicks() {
    const int32_t state = gameState.load();
    return state == kStateWaitingAnswer || state == kStateHintDue;
}

bool answerOrReplay() {
    const int32_t state = gameState.load();
    if (state != kStateWaitingAnswer && state != kStateHintDue) return false;
    if (firstMarkedKey() < 0 && session.replayCount.load() < kMaxReplays) {
        if (state == kStateHintDue) return true;  // a replay or a redraw is already pending
        ++session.replayCount;
        playQuestion(kReplaySoundMs);             // the window does not react meanwhile
        gameState = kStateHintDue;
        return true;
    }
    gameState = kStateJudge;                      // judged as marked, no mark at all included
    return true;
}

bool inNameEntry() {
    return gameState.load() == kStateNameEntry;
}
