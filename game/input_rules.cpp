// Requests stored by the UI thread.
#include "game/input_rules.h"

#include "display/name_field.h"
#include "game/game_state.h"
#include "game/history_record.h"
#include "game/note_output.h"

void startGame(int stage) {
    int32_t state = gameState.load();
    // A name entered but not yet stored (kStateNameEntered) is kept: the game thread stores
    // it within one slice, and the next start request is taken.
    if (state == kStateNextQuestion || state == kStateNameEntered) return;
    // The counters are not touched here: the game thread zeroes them when it
    // takes the request, after the step it is running has finished with the
    // old game. A judgement counted or a celebration ending meanwhile can then
    // neither carry points into the new game nor show zeroed results.
    requestedStage = stage;
    // The game thread may move on meanwhile; whatever it stored is replaced.
    // If it stores kStateNextQuestion itself, that question step takes the request all the same.
    while (!gameState.compare_exchange_weak(state, kStateNextQuestion)) {
        if (state == kStateNextQuestion) return;
    }
    if (state == kStateNameEntry) removeNameCaret();
}

void beginRequestedGame() {
    const int32_t stage = requestedStage.exchange(kNoStartRequest);
    if (stage == kNoStartRequest) return;
    session.stageIndex = stage;
    session.questionCount = 0;
    session.missTotal = 0;
    session.stageMisses = 0;
    session.score = 0;
    session.orderIndex = 0;
    beginHistoryGame(stage);
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
    noteConfirm();
    gameState = kStateJudge;                      // judged as marked, no mark at all included
    return true;
}

bool inNameEntry() {
    return gameState.load() == kStateNameEntry;
}
